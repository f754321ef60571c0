#include "demo/DemoLiveries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "demo/TextureLayout.h"

namespace tavrel::demo {
namespace {

constexpr int kWidth = 256;
constexpr int kHeight = kLiveryRows;
constexpr int kLiveryItems = 40;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  Image(int w, int h, std::uint8_t colour)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), colour) {}
  std::uint8_t& at(int u, int v) { return pixels[index(u, v)]; }
  std::uint8_t at(int u, int v) const { return pixels[index(u, v)]; }
  std::size_t index(int u, int v) const {
    return static_cast<std::size_t>(v) * static_cast<std::size_t>(width) + static_cast<std::size_t>(u);
  }
};

// Digits 0 to 9, five columns by seven rows, the top row first.
constexpr std::array<std::array<const char*, 7>, 10> kDigits = {{
    {"01110", "10001", "10011", "10101", "11001", "10001", "01110"},
    {"00100", "01100", "00100", "00100", "00100", "00100", "01110"},
    {"01110", "10001", "00001", "00010", "00100", "01000", "11111"},
    {"11111", "00010", "00100", "00010", "00001", "10001", "01110"},
    {"00010", "00110", "01010", "10010", "11111", "00010", "00010"},
    {"11111", "10000", "11110", "00001", "00001", "10001", "01110"},
    {"00110", "01000", "10000", "11110", "10001", "10001", "01110"},
    {"11111", "00001", "00010", "00100", "01000", "01000", "01000"},
    {"01110", "10001", "10001", "01110", "10001", "10001", "01110"},
    {"01110", "10001", "10001", "01111", "00001", "00010", "01100"},
}};

// Paints in model coordinates: two axis maps take a point of the car's surface
// to the texel of the picture that shows it.
class Painter {
 public:
  Painter(Image& image, AxisMap across, AxisMap down) : m_Image(image), m_Across(across), m_Down(down) {}

  // Everything between two coordinates on each axis.
  void Rect(double a0, double a1, double b0, double b1, std::uint8_t colour) {
    forTexels(a0, a1, b0, b1, [&](int u, int v, double, double) { m_Image.at(u, v) = colour; });
  }

  void Ellipse(double a, double b, double ra, double rb, std::uint8_t colour) {
    forTexels(a - ra, a + ra, b - rb, b + rb, [&](int u, int v, double pa, double pb) {
      const double da = (pa - a) / ra;
      const double db = (pb - b) / rb;
      if (da * da + db * db <= 1) m_Image.at(u, v) = colour;
    });
  }

  // A race number centred at (a, b), its digits `width` by `height` with `gap`
  // between them, reading towards growing a with the digits' tops towards
  // growing b, or, turned half round, towards falling a and b.
  void Number(int number, double a, double b, double width, double height, double gap, std::uint8_t colour,
              bool turned = false) {
    const std::string text = std::to_string(number);
    const double total = static_cast<double>(text.size()) * width + static_cast<double>(text.size() - 1) * gap;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto& glyph = kDigits[static_cast<std::size_t>(text[i] - '0')];
      const double offset = static_cast<double>(i) * (width + gap);
      const double left = turned ? a + total / 2 - offset - width : a - total / 2 + offset;
      forTexels(left, left + width, b - height / 2, b + height / 2, [&](int u, int v, double pa, double pb) {
        int column = std::clamp(static_cast<int>((pa - left) / width * 5), 0, 4);
        int row = std::clamp(static_cast<int>((b + height / 2 - pb) / height * 7), 0, 6);
        if (turned) {
          column = 4 - column;
          row = 6 - row;
        }
        if (glyph[static_cast<std::size_t>(row)][column] == '1') m_Image.at(u, v) = colour;
      });
    }
  }

 private:
  // Calls back for every texel whose centre lies in the span, with the
  // coordinates of that centre.
  template <typename Visit>
  void forTexels(double a0, double a1, double b0, double b1, Visit visit) {
    const auto span = [](const AxisMap& map, double c0, double c1, int limit) {
      const double t0 = map.Texel(c0);
      const double t1 = map.Texel(c1);
      return std::pair{std::max(0, static_cast<int>(std::ceil(std::min(t0, t1) - 0.5))),
                       std::min(limit - 1, static_cast<int>(std::floor(std::max(t0, t1) - 0.5)))};
    };
    const auto [u0, u1] = span(m_Across, a0, a1, m_Image.width);
    const auto [v0, v1] = span(m_Down, b0, b1, m_Image.height);
    for (int v = v0; v <= v1; ++v)
      for (int u = u0; u <= u1; ++u) visit(u, v, m_Across.Coordinate(u + 0.5), m_Down.Coordinate(v + 0.5));
  }

  Image& m_Image;
  AxisMap m_Across;
  AxisMap m_Down;
};

struct Colours {
  std::uint8_t primary, secondary, accent, white, black;
};

Colours coloursOf(const LiveryScheme& scheme) {
  return {NearestPaletteIndex(scheme.primary), NearestPaletteIndex(scheme.secondary),
          NearestPaletteIndex(scheme.accent), NearestPaletteIndex({250, 250, 250}), NearestPaletteIndex({16, 16, 16})};
}

// Slot 1: stripes along the sides and the top, the race number in a roundel
// on the sidepods.
Image bodyPicture(const LiveryScheme& scheme, const Colours& c) {
  Image image(kWidth, kHeight, c.primary);
  Painter side(image, BodyAlong(true), BodyHeight());
  side.Rect(-3000, 1000, 560, 640, c.secondary);
  side.Rect(-3000, 1000, 520, 545, c.accent);
  side.Rect(-3000, 1000, 170, 200, c.accent);
  // Kept to the sidepod's upright face, between its rounded edges.
  side.Ellipse(-900, 290, 150, 125, c.white);
  side.Number(scheme.number, -900, 290, 70, 165, 20, c.black);
  Painter top(image, BodyAlong(true), BodyAcross());
  top.Rect(-3000, 1000, -60, 60, c.secondary);
  top.Rect(-3000, 1000, -90, -60, c.accent);
  top.Rect(-3000, 1000, 60, 90, c.accent);
  top.Rect(-3000, 1000, -560, -470, c.secondary);
  top.Rect(-3000, 1000, 470, 560, c.secondary);
  return image;
}

// Slot 2: a stripe down the middle of the nose with the race number on a
// white panel, and a stripe along each side.
Image nosePicture(const LiveryScheme& scheme, const Colours& c) {
  Image image(kWidth, kHeight, c.primary);
  Painter top(image, NoseAcross(), NoseAlong());
  top.Rect(-25, 25, 300, 2500, c.secondary);
  top.Rect(-32, -25, 300, 2500, c.accent);
  top.Rect(25, 32, 300, 2500, c.accent);
  top.Rect(-75, 75, 1540, 1780, c.white);
  // Read from in front of the car: the digits' tops towards the cockpit.
  top.Number(scheme.number, 0, 1660, 50, 170, 14, c.black, true);
  Painter side(image, NoseSideAlong(true), NoseHeight());
  side.Rect(300, 2500, 300, 360, c.secondary);
  side.Rect(300, 2500, 280, 300, c.accent);
  return image;
}

// Slot 3: the wing planes in the second colour with a band of the first and
// coloured tips; the end plates in the first colour, the rear ones numbered.
Image wingPicture(const LiveryScheme& scheme, const Colours& c) {
  Image image(kWidth, kHeight, c.primary);
  for (bool front : {true, false}) {
    Painter plane(image, WingSpan(), WingChord(front));
    const double lead = front ? 2510 : -2110;
    const double trail = front ? 2120 : -2510;
    plane.Rect(-900, 900, lead, trail, c.secondary);
    plane.Rect(-900, 900, (lead * 2 + trail) / 3, (lead + trail * 2) / 3, c.primary);
    plane.Rect(-900, -780, lead, trail, c.accent);
    plane.Rect(780, 900, lead, trail, c.accent);
  }
  Painter frontPlate(image, EndplateAlong(true, true), EndplateHeight());
  frontPlate.Rect(2100, 2520, 240, 300, c.accent);
  Painter rearPlate(image, EndplateAlong(false, true), EndplateHeight());
  rearPlate.Rect(-2520, -2100, 900, 1000, c.secondary);
  rearPlate.Rect(-2460, -2160, 480, 800, c.white);
  rearPlate.Number(scheme.number, -2310, 640, 90, 220, 25, c.black);
  return image;
}

// Woven carbon: two dark greys in small squares with a lighter diagonal thread.
Image carbonPicture(int width, int height) {
  const std::uint8_t dark = NearestPaletteIndex({26, 26, 26});
  const std::uint8_t light = NearestPaletteIndex({44, 44, 44});
  const std::uint8_t thread = NearestPaletteIndex({62, 62, 62});
  Image image(width, height, dark);
  for (int v = 0; v < height; ++v)
    for (int u = 0; u < width; ++u) {
      if ((u / 4 + v / 4) % 2 == 1) image.at(u, v) = light;
      if ((u + v) % 8 == 0) image.at(u, v) = thread;
    }
  return image;
}

// Small pictures of the mechanical parts: stripes of two colours.
Image partPicture(int index) {
  static constexpr std::array<std::array<Rgb, 2>, 7> kParts = {{
      {{{24, 24, 24}, {48, 48, 48}}},        // tread
      {{{32, 32, 32}, {220, 220, 220}}},     // sidewall with its lettering band
      {{{180, 180, 180}, {120, 120, 120}}},  // rim
      {{{90, 40, 30}, {60, 30, 20}}},        // brake disc
      {{{140, 140, 140}, {100, 100, 100}}},  // exhaust
      {{{40, 40, 40}, {90, 90, 90}}},        // wishbone
      {{{20, 30, 90}, {60, 80, 160}}},       // visor
  }};
  const auto& [first, second] = kParts[static_cast<std::size_t>(index)];
  Image image(64, 64, NearestPaletteIndex(first));
  const std::uint8_t band = NearestPaletteIndex(second);
  for (int v = 0; v < 64; ++v)
    for (int u = 0; u < 64; ++u)
      if ((v / (4 + index)) % 3 == 0) image.at(u, v) = band;
  return image;
}

Image scaled(const Image& source, int width, int height) {
  Image image(width, height, 0);
  for (int v = 0; v < height; ++v)
    for (int u = 0; u < width; ++u) image.at(u, v) = source.at(u * source.width / width, v * source.height / height);
  return image;
}

// The four colour tables every item carries: the indices as they are, each
// colour darkened, lightened and in grey, as nearest palette entries.
const std::array<std::vector<std::uint8_t>, 4>& colourTables() {
  static const std::array<std::vector<std::uint8_t>, 4> tables = [] {
    std::array<std::vector<std::uint8_t>, 4> t;
    for (int i = 0; i < 256; ++i) {
      const Rgb c = kGamePalette[static_cast<std::size_t>(i)];
      const auto shade = [](int value, double factor) {
        return static_cast<std::uint8_t>(std::min(255.0, value * factor));
      };
      const auto grey = static_cast<std::uint8_t>((c.red * 3 + c.green * 6 + c.blue) / 10);
      t[0].push_back(static_cast<std::uint8_t>(i));
      t[1].push_back(NearestPaletteIndex({shade(c.red, 0.6), shade(c.green, 0.6), shade(c.blue, 0.6)}));
      t[2].push_back(NearestPaletteIndex({shade(c.red, 1.3), shade(c.green, 1.3), shade(c.blue, 1.3)}));
      t[3].push_back(NearestPaletteIndex({grey, grey, grey}));
    }
    return t;
  }();
  return tables;
}

// Lays the pictures out on a canvas 256 wide, shelf by shelf, and records them
// as items.
JamRecipe packJam(const std::vector<Image>& images, std::uint16_t firstJamId) {
  JamRecipe recipe;
  int x = 0;
  int y = 0;
  int shelf = 0;
  std::vector<std::pair<int, int>> places;
  for (const Image& image : images) {
    if (x + image.width > kWidth) {
      x = 0;
      y += shelf;
      shelf = 0;
    }
    places.emplace_back(x, y);
    x += image.width;
    shelf = std::max(shelf, image.height);
  }
  recipe.canvas.assign(static_cast<std::size_t>(y + shelf) * kWidth, 0);
  int area = 0;
  const std::size_t headerBytes = 4 + 32 * images.size();
  for (std::size_t i = 0; i < images.size(); ++i) {
    const Image& image = images[i];
    const auto [px, py] = places[i];
    for (int v = 0; v < image.height; ++v)
      std::copy_n(image.pixels.begin() + v * image.width, image.width, recipe.canvas.begin() + (py + v) * kWidth + px);
    JamItemRecipe item;
    item.x = static_cast<std::uint8_t>(px);
    item.y = static_cast<std::uint16_t>(py);
    item.width = static_cast<std::uint16_t>(image.width);
    item.height = static_cast<std::uint16_t>(image.height);
    item.paletteSize = 256;
    item.palettePtr = static_cast<std::uint16_t>((headerBytes + 4 * 256 * i) & 0xFFFF);
    item.jamId = static_cast<std::uint16_t>(firstJamId + i);
    item.idx16 = static_cast<std::uint8_t>(image.width / 8);
    item.idx17 = static_cast<std::uint8_t>(image.height / 4);
    item.palettes = colourTables();
    recipe.items.push_back(item);
    area += image.width * image.height;
  }
  recipe.totalImageSize = static_cast<std::uint16_t>(std::min(area, 0xFFFF));
  return recipe;
}

}  // namespace

std::uint8_t NearestPaletteIndex(Rgb colour) {
  int best = 1;
  long bestDistance = -1;
  for (int i = 1; i < 256; ++i) {
    const Rgb p = kGamePalette[static_cast<std::size_t>(i)];
    const long dr = p.red - colour.red;
    const long dg = p.green - colour.green;
    const long db = p.blue - colour.blue;
    const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

const std::array<LiveryScheme, 11>& DemoLiveries() {
  static const std::array<LiveryScheme, 11> liveries = {{
      {"Arrows98.jam", {240, 110, 20}, {20, 30, 100}, {250, 250, 250}, 3},
      {"Ferrar98.jam", {40, 120, 50}, {240, 240, 240}, {250, 220, 30}, 5},
      {"Prost98.jam", {150, 20, 160}, {250, 220, 30}, {250, 250, 250}, 7},
      {"Stewar98.jam", {200, 25, 30}, {20, 20, 20}, {250, 250, 250}, 9},
      {"Tyrrel98.jam", {30, 120, 120}, {250, 100, 10}, {250, 250, 250}, 11},
      {"Benett98.jam", {235, 235, 235}, {200, 25, 30}, {20, 20, 20}, 12},
      {"Willia98.jam", {250, 220, 30}, {30, 80, 40}, {250, 250, 250}, 14},
      {"Jordan98.jam", {25, 35, 110}, {120, 160, 220}, {250, 220, 30}, 17},
      {"Mclare98.jam", {24, 24, 24}, {230, 190, 40}, {250, 250, 250}, 21},
      {"Sauber98.jam", {180, 180, 190}, {110, 30, 130}, {20, 20, 20}, 24},
      {"Minard98.jam", {110, 25, 30}, {230, 215, 170}, {20, 20, 20}, 27},
  }};
  return liveries;
}

JamRecipe MakeLiveryJam(const LiveryScheme& scheme) {
  const Colours colours = coloursOf(scheme);
  std::vector<Image> images = {bodyPicture(scheme, colours), nosePicture(scheme, colours),
                               wingPicture(scheme, colours)};
  // Each picture again at half, quarter and eighth size, in turn.
  for (int i = 3; i < kLiveryItems; ++i) {
    const Image& source = images[static_cast<std::size_t>((i - 3) % 3)];
    const int divisor = 2 << ((i - 3) / 3 % 3);
    images.push_back(scaled(source, source.width / divisor, source.height / divisor));
  }
  return packJam(images, 0x0100);
}

JamRecipe MakeChassisJam() {
  std::vector<Image> images;
  for (int i = 0; i < 7; ++i) images.push_back(partPicture(i));
  images.push_back(carbonPicture(kWidth, kHeight));
  return packJam(images, 0x0300);
}

}  // namespace tavrel::demo
