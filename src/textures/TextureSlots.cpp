#include "textures/TextureSlots.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "base/Format.h"
#include "base/GamePaths.h"
#include "base/Trace.h"

namespace tavrel {
namespace {

constexpr int kChassisSlot = 4;
constexpr int kLiverySlots = 3;

Picture makeBuiltInTexture() {
  constexpr Rgb kMarker{151, 171, 127};
  constexpr std::array<std::uint8_t, 31> kGreys{19,  27,  35,  43,  51,  59,  67,  75,  83,  91,  99,
                                                107, 115, 123, 131, 139, 147, 163, 163, 175, 175, 183,
                                                199, 215, 255, 239, 215, 183, 163, 147, 123};
  Picture picture(TextureSlots::kSize, TextureSlots::kSize);
  for (int row = 0; row < picture.height; ++row)
    for (int column = 0; column < picture.width; ++column)
      picture.Set(column, row, {static_cast<std::uint8_t>(row), 0, static_cast<std::uint8_t>(column + 1)});
  const int markedRows = static_cast<int>(kGreys.size()) + 2;  // rows 0 to 32
  for (int row = 0; row < markedRows; ++row) {
    picture.Set(1, row, kMarker);
    const bool edge = row == 0 || row == markedRows - 1;
    const std::uint8_t grey = edge ? 0 : kGreys[static_cast<std::size_t>(row - 1)];
    picture.Set(0, row, edge ? kMarker : Rgb{grey, grey, grey});
  }
  return picture;
}

// Which picture an item puts into a slot: the JAM's, unless a switch asks for
// the built-in bitmap.
bool usesJamPictures(const TextureSources& sources) { return !sources.m_DrawRcrJam && sources.m_UseInternalJams; }

// The part of a picture that a copy puts into the slot, from the top left.
struct CopyArea {
  int columns;
  int rows;
};
CopyArea copyArea(const Picture& picture, const Picture& target) {
  return {std::min({picture.width, TextureSlots::kCopyWidth, target.width}),
          std::min({picture.height, TextureSlots::kCopyHeight, target.height})};
}

void copyRows(Picture& target, const Picture& picture, CopyArea area, const std::function<int(int)>& firstColumn) {
  for (int row = 0; row < area.rows; ++row) {
    const int first = firstColumn(row);
    if (first >= area.columns) continue;
    std::memcpy(&target.rgb[target.Offset(first, row)], &picture.rgb[picture.Offset(first, row)],
                static_cast<std::size_t>(area.columns - first) * 3);
  }
}

// What the copies of later items cover of a slot. Every copy starts at the top
// left, so together they cover a staircase: kept as the areas no other contains.
class CoveredArea {
 public:
  bool Covers(CopyArea area) const {
    return std::ranges::any_of(m_Areas, [&](CopyArea a) { return a.columns >= area.columns && a.rows >= area.rows; });
  }
  // The row's columns from 0 to this one are covered.
  int CoveredColumns(int row) const {
    int columns = 0;
    for (const CopyArea& a : m_Areas)
      if (a.rows > row) columns = std::max(columns, a.columns);
    return columns;
  }
  void Add(CopyArea area) {
    if (Covers(area)) return;
    std::erase_if(m_Areas, [&](CopyArea a) { return area.columns >= a.columns && area.rows >= a.rows; });
    m_Areas.push_back(area);
  }

 private:
  std::vector<CopyArea> m_Areas;
};

// Item i's picture, made, used and let go of: the JAM keeps nothing of it.
template <typename Use>
void withPicture(JAM& jam, int i, Use use) {
  Picture picture;
  if (jam.MakeBitmap(picture, i)) use(picture);
  jam.ReleaseItem(i);
}

// Loads the JAM at `relative`, traces every item's size and hands it to `fill`;
// the JAM is released on return.
template <typename Fill>
void withJam(const std::string& relative, const TextureSources& sources, Messages& messages, Fill fill) {
  JAM jam(GamePath(sources.m_GameLocation, relative));
  jam.Load(true, messages, sources.m_JamSeed);
  for (int i = 0; i < jam.ItemCount(); ++i) trace("Jam Size = %d %d\n", jam.GetWidth(i), jam.GetHeight(i));
  fill(jam);
}

}  // namespace

TextureSlots::TextureSlots() { m_Slots.fill(Picture(kSize, kSize)); }

void TextureSlots::CopyInto(int slot, const Picture& picture) {
  Picture& target = Slot(slot);
  copyRows(target, picture, copyArea(picture, target), [](int) { return 0; });
}

const Picture& BuiltInTexture() {
  static const Picture picture = makeBuiltInTexture();
  return picture;
}

void ResetTextureBitmaps(TextureSlots& slots) {
  for (int slot = 1; slot <= TextureSlots::kSlotCount; ++slot) slots.Slot(slot) = BuiltInTexture();
}

// Every chassis item goes to the same slot, each over the ones before it. Taken
// from the last back, an item's picture is made only when a later one does not
// cover all of its copy, and only what is still uncovered is copied: the slot
// ends as copying them all in order would leave it, for one picture's memory.
void LoadChassisTexture(TextureSlots& slots, const TextureSources& sources, Messages& messages) {
  const std::string relative = format("zavjams/%s/%s", "Main", "Chassis3.jam");
  withJam(relative, sources, messages, [&](JAM& jam) {
    if (jam.ItemCount() == 0) return;
    if (!usesJamPictures(sources)) return slots.CopyInto(kChassisSlot, BuiltInTexture());
    Picture& target = slots.Slot(kChassisSlot);
    CoveredArea covered;
    for (int i = jam.ItemCount() - 1; i >= 0; --i) {
      const CopyArea claimed{std::min(jam.GetWidth(i), TextureSlots::kCopyWidth),
                             std::min(jam.GetHeight(i), TextureSlots::kCopyHeight)};
      if (claimed.columns <= 0 || claimed.rows <= 0 || covered.Covers(claimed)) continue;
      withPicture(jam, i, [&](const Picture& picture) {
        const CopyArea area = copyArea(picture, target);
        copyRows(target, picture, area, [&](int row) { return covered.CoveredColumns(row); });
        covered.Add(area);
      });
    }
  });
}

void LoadCarTextures(TextureSlots& slots, const TextureSources& sources, Messages& messages) {
  LoadChassisTexture(slots, sources, messages);
  const std::string relative = format("zavjams/Liveries/%s", sources.m_CarJamName.c_str());
  // Items from 3 on have no slot; their pictures are not made.
  withJam(relative, sources, messages, [&](JAM& jam) {
    for (int i = 0; i < std::min(jam.ItemCount(), kLiverySlots); ++i) {
      if (!usesJamPictures(sources))
        slots.CopyInto(i + 1, BuiltInTexture());
      else
        withPicture(jam, i, [&](const Picture& picture) { slots.CopyInto(i + 1, picture); });
    }
  });
}

}  // namespace tavrel
