#include <gtest/gtest.h>

#include <random>

#include "base/GamePaths.h"
#include "base/Trace.h"
#include "demo/JamWriter.h"
#include "support/TestSupport.h"
#include "textures/GamePalette.h"
#include "textures/TextureSlots.h"

namespace tavrel {
namespace {

using test::RecordingMessages;

TEST(BuiltInTexture, IsTheGradientWithTheMarkedStripe) {
  const Picture& picture = BuiltInTexture();
  ASSERT_EQ(picture.width, 256);
  ASSERT_EQ(picture.height, 256);
  const Rgb marker{151, 171, 127};
  const auto grey = [](std::uint8_t level) { return Rgb{level, level, level}; };
  struct Case {
    int column, row;
    Rgb colour;
  };
  const std::vector<Case> cases = {
      {2, 0, {0, 0, 3}},   {255, 0, {0, 0, 0}}, {254, 255, {255, 0, 255}}, {100, 17, {17, 0, 101}}, {0, 0, marker},
      {1, 0, marker},      {0, 32, marker},     {1, 32, marker},           {1, 16, marker},         {0, 1, grey(19)},
      {0, 17, grey(147)},  {0, 18, grey(163)},  {0, 19, grey(163)},        {0, 25, grey(255)},      {0, 31, grey(123)},
      {0, 33, {33, 0, 1}}, {1, 33, {33, 0, 2}}, {2, 16, {16, 0, 3}},       {0, 255, {255, 0, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(picture.At(c.column, c.row), c.colour) << c.column << "," << c.row;
  std::vector<int> greys;
  for (int row = 1; row <= 31; ++row) greys.push_back(picture.At(0, row).red);
  EXPECT_EQ(greys, (std::vector<int>{19,  27,  35,  43,  51,  59,  67,  75,  83,  91,  99,  107, 115, 123, 131, 139,
                                     147, 163, 163, 175, 175, 183, 199, 215, 255, 239, 215, 183, 163, 147, 123}));
}

TEST(TextureSlots, ResetPutsTheBuiltInBitmapIntoAllFour) {
  TextureSlots slots;
  EXPECT_EQ(slots.Slot(1), Picture(256, 256));
  ResetTextureBitmaps(slots);
  for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(slots.Slot(slot), BuiltInTexture()) << slot;
}

// A game folder in which the chassis and livery JAMs can be laid.
class GameFolder {
 public:
  explicit GameFolder(std::uint32_t seed = kDefaultJamSeed) : m_Seed(seed) {}
  void Chassis(const std::vector<SolidItem>& items) { Write("zavjams/Main/Chassis3.jam", items); }
  void Livery(const std::string& name, const std::vector<SolidItem>& items) {
    Write("zavjams/Liveries/" + name, items);
  }
  TextureSources Sources() const {
    TextureSources sources;
    sources.m_GameLocation = m_Dir.path().string();
    sources.m_JamSeed = m_Seed;
    return sources;
  }
  std::string Path(const std::string& relative) const { return GamePath(m_Dir.path().string(), relative).string(); }

 private:
  void Write(const std::string& relative, const std::vector<SolidItem>& items) {
    const auto path = m_Dir.path() / relative;
    std::filesystem::create_directories(path.parent_path());
    test::WriteBytes(path, BuildJamFile(SolidItemsJam(items), m_Seed));
  }
  ScratchFolder m_Dir;
  std::uint32_t m_Seed;
};

// Full-size items of palette colours 40, 41, ...
std::vector<SolidItem> fullItems(int count, std::uint8_t firstColour = 40) {
  std::vector<SolidItem> items;
  for (int i = 0; i < count; ++i) items.push_back({256, 164, static_cast<std::uint8_t>(firstColour + i)});
  return items;
}

// What the area [columns x rows) of a slot holds, when it holds one colour throughout.
std::optional<Rgb> solidArea(const Picture& picture, int columnEnd, int rowEnd, int columnBegin = 0, int rowBegin = 0) {
  const Rgb first = picture.At(columnBegin, rowBegin);
  for (int row = rowBegin; row < rowEnd; ++row)
    for (int column = columnBegin; column < columnEnd; ++column)
      if (picture.At(column, row) != first) return std::nullopt;
  return first;
}

// The slot shows `colour` in its 256 x 164 copy area and the built-in bitmap below it.
void expectCopied(const Picture& slot, std::uint8_t colour) {
  EXPECT_EQ(solidArea(slot, 256, 164), kGamePalette[colour]);
  for (int row = 164; row < 256; ++row)
    for (int column = 0; column < 256; column += 51)
      ASSERT_EQ(slot.At(column, row), BuiltInTexture().At(column, row)) << column << "," << row;
}

struct Loaded {
  TextureSlots slots;
  RecordingMessages messages;
  std::vector<std::string> trace;
};

std::unique_ptr<Loaded> loadAsNewView(const TextureSources& sources) {
  auto loaded = std::make_unique<Loaded>();
  setTraceSink([&lines = loaded->trace](const std::string& line) { lines.push_back(line); });
  ResetTextureBitmaps(loaded->slots);
  LoadCarTextures(loaded->slots, sources, loaded->messages);
  setTraceSink({});
  return loaded;
}

TEST(CarTextures, MissingFilesAreReportedChassisFirstAndLeaveTheBuiltInBitmap) {
  GameFolder game;
  const auto loaded = loadAsNewView(game.Sources());
  EXPECT_EQ(loaded->messages.texts(),
            (std::vector<std::string>{"Failed to load JAM File (" + game.Path("zavjams/Main/Chassis3.jam") + ")",
                                      "Failed to load JAM File (" + game.Path("zavjams/Liveries/Mclare98.jam") + ")"}));
  for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(loaded->slots.Slot(slot), BuiltInTexture()) << slot;
  EXPECT_TRUE(loaded->trace.empty());
}

TEST(CarTextures, LiveryItemsFillSlotsOneToThreeAndTheLastChassisItemSlotFour) {
  struct Case {
    int liveryItems;
    int chassisItems;
  };
  for (const Case& c : std::vector<Case>{{0, 0}, {2, 1}, {3, 2}, {5, 3}}) {
    SCOPED_TRACE(testing::Message() << c.liveryItems << " livery items, " << c.chassisItems << " chassis items");
    GameFolder game;
    game.Livery("Mclare98.jam", fullItems(c.liveryItems, 40));
    game.Chassis(fullItems(c.chassisItems, 80));
    const auto loaded = loadAsNewView(game.Sources());
    EXPECT_TRUE(loaded->messages.shown.empty());
    for (int slot = 1; slot <= 3; ++slot) {
      if (slot <= c.liveryItems)
        expectCopied(loaded->slots.Slot(slot), static_cast<std::uint8_t>(40 + slot - 1));
      else
        EXPECT_EQ(loaded->slots.Slot(slot), BuiltInTexture()) << slot;
    }
    if (c.chassisItems > 0)
      expectCopied(loaded->slots.Slot(4), static_cast<std::uint8_t>(80 + c.chassisItems - 1));
    else
      EXPECT_EQ(loaded->slots.Slot(4), BuiltInTexture());
    // Every item's size is traced, the unused ones too; chassis first.
    EXPECT_EQ(loaded->trace, std::vector<std::string>(static_cast<std::size_t>(c.chassisItems + c.liveryItems),
                                                      "Jam Size = 256 164\n"));
  }
}

TEST(CarTextures, TheLiveryIsTheNamedFileReadWithTheGivenSeed) {
  GameFolder game(0x01020304u);
  game.Livery("Willia98.jam", fullItems(1, 100));
  TextureSources sources = game.Sources();
  sources.m_CarJamName = "Willia98.jam";
  const auto loaded = loadAsNewView(sources);
  expectCopied(loaded->slots.Slot(1), 100);
  EXPECT_EQ(loaded->messages.texts().size(), 1u);  // the chassis only
}

TEST(CarTextures, EitherSwitchPutsTheBuiltInBitmapIntoEverySlotAJamItemReaches) {
  struct Case {
    bool useInternalJams;
    bool drawRcrJam;
  };
  for (const Case& c : std::vector<Case>{{true, true}, {false, true}, {false, false}}) {
    SCOPED_TRACE(testing::Message() << "internal " << c.useInternalJams << " rcr " << c.drawRcrJam);
    GameFolder game;
    game.Chassis(fullItems(1, 80));
    game.Livery("Mclare98.jam", fullItems(2, 40));
    TextureSources sources = game.Sources();
    sources.m_UseInternalJams = c.useInternalJams;
    sources.m_DrawRcrJam = c.drawRcrJam;
    // Slots that were never reset show what the copy wrote: the top 164 rows only.
    TextureSlots slots;
    RecordingMessages messages;
    LoadCarTextures(slots, sources, messages);
    Picture expected(256, 256);
    for (int row = 0; row < 164; ++row)
      for (int column = 0; column < 256; ++column) expected.Set(column, row, BuiltInTexture().At(column, row));
    EXPECT_EQ(slots.Slot(1), expected);
    EXPECT_EQ(slots.Slot(2), expected);
    EXPECT_EQ(slots.Slot(3), Picture(256, 256));
    EXPECT_EQ(slots.Slot(4), expected);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(CarTextures, SwitchesStillOpenTheFilesAndReportMissingOnes) {
  GameFolder game;
  game.Chassis(fullItems(1, 80));
  TextureSources sources = game.Sources();
  sources.m_UseInternalJams = false;
  const auto loaded = loadAsNewView(sources);
  EXPECT_EQ(loaded->messages.texts(),
            std::vector<std::string>{"Failed to load JAM File (" + game.Path("zavjams/Liveries/Mclare98.jam") + ")"});
  EXPECT_EQ(loaded->trace, std::vector<std::string>{"Jam Size = 256 164\n"});
}

TEST(CarTextures, SmallPicturesFillOnlyTheirOwnArea) {
  GameFolder game;
  // Chassis: a full item, then a small one on top of it. Livery: a small item
  // over the built-in bitmap, and one taller than the copy area.
  game.Chassis({{256, 164, 80}, {100, 50, 81}});
  game.Livery("Mclare98.jam", {{10, 200, 40}, {256, 300, 41}});
  const auto loaded = loadAsNewView(game.Sources());
  const Picture& chassis = loaded->slots.Slot(4);
  EXPECT_EQ(solidArea(chassis, 100, 50), kGamePalette[81]);
  EXPECT_EQ(solidArea(chassis, 256, 164, 100, 0), kGamePalette[80]);
  EXPECT_EQ(solidArea(chassis, 100, 164, 0, 50), kGamePalette[80]);

  const Picture& narrow = loaded->slots.Slot(1);
  EXPECT_EQ(solidArea(narrow, 10, 164), kGamePalette[40]);
  // Right of the picture and below the copy area: the built-in bitmap.
  for (int row = 0; row < 256; ++row) {
    EXPECT_EQ(narrow.At(10, row), BuiltInTexture().At(10, row)) << row;
    if (row >= 164) {
      EXPECT_EQ(narrow.At(5, row), BuiltInTexture().At(5, row)) << row;
    }
  }
  expectCopied(loaded->slots.Slot(2), 41);
}

// The chassis items are taken from the last back, each picture made only for
// what later ones leave uncovered: the slot must end as copying every item in
// order leaves it, for any mix of sizes (some past the copy area, some empty).
TEST(CarTextures, TheChassisSlotEndsAsCopyingEveryItemInOrderWouldLeaveIt) {
  std::mt19937 random(20);
  const std::uint16_t widths[] = {0, 1, 40, 100, 256, 300};
  const std::uint16_t heights[] = {0, 1, 30, 90, 164, 200};
  for (int round = 0; round < 25; ++round) {
    std::vector<SolidItem> items;
    const int count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i)
      items.push_back({widths[random() % 6], heights[random() % 6], static_cast<std::uint8_t>(20 + i)});
    GameFolder game;
    game.Chassis(items);
    const auto loaded = loadAsNewView(game.Sources());

    // Every item's picture copied in order, as the JAM makes it (a picture larger
    // than the canvas is not made, and copies nothing).
    JAM jam(game.Path("zavjams/Main/Chassis3.jam"));
    RecordingMessages messages;
    ASSERT_TRUE(jam.Load(true, messages));
    TextureSlots expected;
    expected.Slot(1) = BuiltInTexture();
    for (int i = 0; i < jam.ItemCount(); ++i) {
      Picture picture;
      if (jam.MakeBitmap(picture, i)) expected.CopyInto(1, picture);
    }
    std::string sizes;
    for (const SolidItem& item : items) sizes += " " + std::to_string(item.width) + "x" + std::to_string(item.height);
    ASSERT_EQ(loaded->slots.Slot(4), expected.Slot(1)) << "round " << round << ", items" << sizes;
  }
}

}  // namespace
}  // namespace tavrel
