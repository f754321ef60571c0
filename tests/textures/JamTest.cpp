#include <gtest/gtest.h>

#include "demo/JamWriter.h"
#include "support/EveryFieldJamItem.h"
#include "support/TestSupport.h"
#include "textures/GamePalette.h"
#include "textures/JAM.h"

namespace tavrel {
namespace {

using test::RecordingMessages;

std::vector<std::uint8_t> toVector(ByteView bytes) { return {bytes.begin(), bytes.end()}; }

// A JAM loaded from the bytes of `recipe`, scrambled with the default seed.
struct LoadedJam {
  explicit LoadedJam(const JamRecipe& recipe) : LoadedJam(BuildJamFile(recipe)) {}
  explicit LoadedJam(std::vector<std::uint8_t> file) { loaded = jam.LoadFromBytes(std::move(file), true, messages); }
  RecordingMessages messages;
  JAM jam{"test.jam"};
  bool loaded = false;
};

TEST(JamScramble, XorsWholeWordsThenTrailingBytesWithTheFollowingKeyState) {
  // Zeros scrambled are the key stream: seed 0x12345678 with its low bit set,
  // times 5 per word, then the next state's bytes low first.
  std::vector<std::uint8_t> bytes(11, 0);
  ScrambleJamBytes(bytes, 0x12345678u);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x79, 0x56, 0x34, 0x12, 0x5D, 0xB0, 0x05, 0x5B, 0xD1, 0x71, 0x1C}));
}

TEST(JamScramble, IsItsOwnInverseForEveryTrailingLength) {
  for (std::size_t length = 0; length <= 9; ++length) {
    std::vector<std::uint8_t> original(length);
    for (std::size_t k = 0; k < length; ++k) original[k] = static_cast<std::uint8_t>(k * 37 + 5);
    std::vector<std::uint8_t> bytes = original;
    ScrambleJamBytes(bytes, kDefaultJamSeed);
    if (length > 0) {
      EXPECT_NE(bytes, original) << length;
    }
    ScrambleJamBytes(bytes, kDefaultJamSeed);
    EXPECT_EQ(bytes, original) << length;
  }
}

TEST(JamLoad, ReadsEveryRecordFieldAndTable) {
  JamRecipe recipe;
  recipe.totalImageSize = 54321;
  const JamItemRecipe item = test::EveryFieldItem();
  recipe.items = {item, PatternItem(1, 2, 3, 4, 2, 9, 100)};
  recipe.canvas = PatternCanvas(3);
  LoadedJam loaded(recipe);
  const JAM& jam = loaded.jam;

  ASSERT_TRUE(loaded.loaded);
  EXPECT_TRUE(jam.IsLoaded());
  EXPECT_EQ(jam.ItemCount(), 2);
  EXPECT_EQ(jam.GetTotalImageSize(), 54321);
  EXPECT_EQ(jam.GetX(0), item.x);
  EXPECT_EQ(jam.GetY(0), item.y);
  EXPECT_EQ(jam.GetWidth(0), item.width);
  EXPECT_EQ(jam.GetHeight(0), item.height);
  EXPECT_EQ(jam.GetIdx08(0), item.idx08);
  EXPECT_EQ(jam.GetIdx0A(0), item.idx0A);
  EXPECT_EQ(jam.GetPalettePtr(0), item.palettePtr);
  EXPECT_EQ(jam.GetIdx0E(0), item.idx0E);
  EXPECT_EQ(jam.GetPaletteSize(0), item.paletteSize);
  EXPECT_EQ(jam.GetJamId(0), item.jamId);
  EXPECT_EQ(jam.GetIdx14(0), item.idx14);
  EXPECT_EQ(jam.GetIdx16(0), item.idx16);
  EXPECT_EQ(jam.GetIdx17(0), item.idx17);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(jam.GetIdx18(0, k), item.idx18[static_cast<std::size_t>(k)]) << k;
  for (int table = 1; table <= 4; ++table) {
    EXPECT_EQ(toVector(jam.GetPalette(0, table)), item.palettes[static_cast<std::size_t>(table - 1)]) << table;
    EXPECT_EQ(toVector(jam.GetPalette(1, table)), recipe.items[1].palettes[static_cast<std::size_t>(table - 1)]);
  }
  EXPECT_EQ(toVector(jam.GetPalette1(1)), (std::vector<std::uint8_t>{100, 101}));
  EXPECT_EQ(jam.GetJamId(1), 9);
  // The canvas starts right after the last table.
  EXPECT_EQ(toVector(loaded.jam.ItemImage(0)), recipe.canvas);
  // Outside the items every field is 0.
  EXPECT_EQ(jam.GetWidth(2), 0);
  EXPECT_EQ(jam.GetJamId(-1), 0);
  EXPECT_TRUE(jam.GetPalette(2, 1).empty());
  EXPECT_TRUE(loaded.messages.shown.empty());
}

TEST(JamLoad, AFileWithoutItemsHasNone) {
  JamRecipe recipe;
  recipe.canvas = PatternCanvas(2);
  LoadedJam loaded(recipe);
  EXPECT_TRUE(loaded.loaded);
  EXPECT_EQ(loaded.jam.ItemCount(), 0);
  EXPECT_EQ(loaded.jam.CanvasByte(0, 0), 0);  // no item 0, so no rows
}

TEST(JamLoad, TheSeedMustMatch) {
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 4, 4, 0, 1)};
  recipe.canvas = PatternCanvas(4);
  LoadedJam mine(BuildJamFile(recipe, 0xCAFEF00Du));
  EXPECT_NE(mine.jam.GetJamId(0), 1);  // read with the default seed: scrambled values

  RecordingMessages messages;
  JAM jam("other.jam");
  ASSERT_TRUE(jam.LoadFromBytes(BuildJamFile(recipe, 0xCAFEF00Du), true, messages, 0xCAFEF00Du));
  EXPECT_EQ(jam.GetJamId(0), 1);
}

TEST(JamLoad, MissingFileIsReportedOnlyWhenAskedAndPickedUpLater) {
  ScratchFolder dir;
  const auto path = dir / "late.jam";
  JAM jam(path);
  RecordingMessages messages;
  EXPECT_FALSE(jam.Load(true, messages));
  EXPECT_FALSE(jam.Load(false, messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failed to load JAM File (" + path.string() + ")"});
  EXPECT_FALSE(jam.IsLoaded());
  EXPECT_EQ(jam.ItemCount(), 0);

  // A picture asks for a silent load, which finds the file once it exists.
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 2, 1, 0, 5)};
  recipe.canvas = PatternCanvas(1);
  test::WriteBytes(path, BuildJamFile(recipe));
  Picture picture;
  EXPECT_TRUE(jam.MakeBitmap(picture, 0));
  EXPECT_TRUE(jam.IsLoaded());
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(JamLoad, ParsesOnceInItsLife) {
  ScratchFolder dir;
  const auto path = dir / "once.jam";
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 1, 1, 0, 1)};
  test::WriteBytes(path, BuildJamFile(recipe));
  JAM jam(path);
  RecordingMessages messages;
  ASSERT_TRUE(jam.Load(true, messages));
  recipe.items = {PatternItem(0, 0, 1, 1, 0, 2), PatternItem(0, 0, 1, 1, 0, 3)};
  test::WriteBytes(path, BuildJamFile(recipe));
  std::filesystem::remove(path);
  EXPECT_TRUE(jam.Load(true, messages));
  EXPECT_EQ(jam.ItemCount(), 1);
  EXPECT_EQ(jam.GetJamId(0), 1);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(JamLoad, RefusesAFileTooShortForItsItemTable) {
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 1, 1, 0, 1), PatternItem(0, 0, 1, 1, 0, 2)};
  const std::vector<std::uint8_t> content = BuildJamContent(recipe);
  ASSERT_EQ(content.size(), 4u + 64u);

  struct Case {
    std::size_t length;
    std::string message;
  };
  const std::vector<Case> cases = {
      {67, "Failed to load JAM File (short.jam): its 67 bytes are too few for the header and 2 items"},
      {3, "Failed to load JAM File (short.jam): its 3 bytes are too few for the header and 2 items"},
      {1, "Failed to load JAM File (short.jam): its 1 bytes are too few for the header and 0 items"},
      {0, "Failed to load JAM File (short.jam): its 0 bytes are too few for the header and 0 items"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> file(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(c.length));
    ScrambleJamBytes(file, kDefaultJamSeed);
    RecordingMessages messages;
    JAM jam("short.jam");
    EXPECT_FALSE(jam.LoadFromBytes(file, true, messages)) << c.length;
    EXPECT_FALSE(jam.IsLoaded());
    EXPECT_EQ(jam.ItemCount(), 0);
    EXPECT_EQ(jam.GetTotalImageSize(), 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});

    RecordingMessages silent;
    JAM quiet("short.jam");
    EXPECT_FALSE(quiet.LoadFromBytes(file, false, silent));
    EXPECT_TRUE(silent.shown.empty());
  }
}

TEST(JamLoad, ClipsColourTablesAndCanvasAtTheEndOfTheFile) {
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 4, 1, 6, 1, 10), PatternItem(0, 0, 4, 1, 6, 2, 20)};
  std::vector<std::uint8_t> content = BuildJamContent(recipe);
  const std::size_t tables = 4 + 64;
  // Cut inside item 0's Palette3: 6 + 6 + 2 bytes of tables remain.
  content.resize(tables + 14);
  LoadedJam loaded([&] {
    std::vector<std::uint8_t> file = content;
    ScrambleJamBytes(file, kDefaultJamSeed);
    return file;
  }());
  const JAM& jam = loaded.jam;
  ASSERT_TRUE(loaded.loaded);
  EXPECT_EQ(jam.GetPalette(0, 1).size(), 6u);
  EXPECT_EQ(jam.GetPalette(0, 2).size(), 6u);
  EXPECT_EQ(toVector(jam.GetPalette(0, 3)), (std::vector<std::uint8_t>{12, 13}));
  EXPECT_TRUE(jam.GetPalette(0, 4).empty());
  EXPECT_TRUE(jam.GetPalette(1, 1).empty());
  EXPECT_EQ(jam.GetPaletteSize(1), 6);
  EXPECT_TRUE(loaded.jam.ItemImage(0).empty());
  // Without a canvas no item has pixels.
  EXPECT_TRUE(loaded.jam.RemapItem(0).empty());
}

// A one-item JAM whose canvas row 0 holds 0, 1, 2 ... and row r starts at r.
JamRecipe oneItem(JamItemRecipe item, int canvasRows) {
  JamRecipe recipe;
  recipe.items = {std::move(item)};
  recipe.canvas = PatternCanvas(canvasRows);
  return recipe;
}

TEST(JamRemap, WithoutPaletteSizeCanvasBytesAreGamePaletteIndices) {
  LoadedJam loaded(oneItem(PatternItem(10, 20, 3, 2, 0, 1), 30));
  // First pixel from canvas offset 20 * 256 + 10, whose byte is 10 + 20.
  EXPECT_EQ(toVector(loaded.jam.RemapItem(0)), (std::vector<std::uint8_t>{30, 31, 32, 31, 32, 33}));
}

TEST(JamRemap, Palette1MapsCanvasBytesAndBytesBeyondPaletteSizeGiveZero) {
  JamItemRecipe item = PatternItem(0, 0, 6, 1, 4, 1);
  item.palettes[0] = {0, 250, 7, 9};
  LoadedJam loaded(oneItem(item, 1));
  // Canvas bytes 0..5: 0 -> 0 (a real colour, not a gap), 4 and 5 have no entry.
  EXPECT_EQ(toVector(loaded.jam.RemapItem(0)), (std::vector<std::uint8_t>{0, 250, 7, 9, 0, 0}));

  Picture picture;
  ASSERT_TRUE(loaded.jam.MakeBitmap(picture, 0));
  EXPECT_EQ(picture.At(0, 0), (Rgb{63, 103, 103}));
  EXPECT_EQ(picture.At(1, 0), kGamePalette[250]);
}

TEST(JamRemap, APaletteSizeAbove256UsesOnlyTheFirst256Entries) {
  JamItemRecipe item = PatternItem(250, 0, 6, 1, 300, 1, 3);  // Palette1 byte k = k + 3
  LoadedJam loaded(oneItem(item, 1));
  EXPECT_EQ(toVector(loaded.jam.RemapItem(0)), (std::vector<std::uint8_t>{253, 254, 255, 0, 1, 2}));
}

TEST(JamRemap, PixelsOutsideTheCanvasAreZeroWithoutWrapping) {
  // Columns 254 and 255 exist; 256 on would be the next row's start if wrapped.
  // Rows 2 and 3 lie below the canvas.
  LoadedJam loaded(oneItem(PatternItem(254, 1, 4, 3, 0, 1), 2));
  EXPECT_EQ(toVector(loaded.jam.RemapItem(0)), (std::vector<std::uint8_t>{255, 0, 0, 0,  //
                                                                          0, 0, 0, 0,    //
                                                                          0, 0, 0, 0}));
}

TEST(JamRemap, ComputesPixelsOnceAndReusesThem) {
  LoadedJam loaded(oneItem(PatternItem(0, 0, 8, 8, 0, 1), 8));
  const ByteView first = loaded.jam.RemapItem(0);
  Picture picture;
  ASSERT_TRUE(loaded.jam.MakeBitmap(picture, 0));
  ASSERT_TRUE(loaded.jam.MakeBitmap(picture, 0));
  const ByteView again = loaded.jam.RemapItem(0);
  EXPECT_EQ(first.data(), again.data());
  EXPECT_EQ(picture.At(7, 7), kGamePalette[14]);
}

TEST(JamPicture, IsWidthByHeightInTheGamePaletteTopRowFirst) {
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 2, 2, 0, 1), PatternItem(5, 3, 3, 2, 0, 2)};
  recipe.canvas = PatternCanvas(5, 16);
  LoadedJam loaded(recipe);
  Picture picture;
  ASSERT_TRUE(loaded.jam.MakeBitmap(picture, 1));
  EXPECT_EQ(picture.width, 3);
  EXPECT_EQ(picture.height, 2);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c)
      EXPECT_EQ(picture.At(c, r), kGamePalette[static_cast<std::size_t>((5 + c + (3 + r) * 16) % 256)]) << c << r;

  EXPECT_FALSE(loaded.jam.MakeBitmap(picture, 2));
  EXPECT_EQ(picture, Picture());
}

TEST(JamPicture, AnItemClaimingMorePixelsThanTheCanvasHoldsOrThanCanBeHeldHasNone) {
  struct Case {
    const char* what;
    std::size_t canvasBytes;
    std::uint16_t width, height;
    bool hasPixels;
  };
  const std::vector<Case> cases = {
      {"a crafted item over a canvas of 256 rows", 256 * 256, 4096, 4096, false},
      {"the whole canvas", 256 * 256, 256, 256, true},
      {"one row more than the canvas", 256 * 256, 256, 257, false},
      {"a last row cut short counts whole", 2 * 256 + 1, 256, 3, true},
      {"no canvas", 0, 1, 1, false},
      {"the most pixels one item may have", 65600 * 256, 4096, 4096, true},
      {"more than that, on a canvas that holds them", 65600 * 256, 4097, 4096, false},
  };
  for (const Case& c : cases) {
    JamRecipe recipe;
    recipe.items = {PatternItem(0, 0, c.width, c.height, 0, 1)};
    recipe.canvas.assign(c.canvasBytes, 7);
    LoadedJam loaded(recipe);
    const ByteView pixels = loaded.jam.RemapItem(0);
    EXPECT_EQ(pixels.size(), c.hasPixels ? std::size_t{c.width} * c.height : 0u) << c.what;
    if (!c.hasPixels) {
      Picture picture;
      EXPECT_FALSE(loaded.jam.MakeBitmap(picture, 0)) << c.what;
      EXPECT_EQ(picture, Picture()) << c.what;
    }
  }
}

TEST(JamPicture, AReleasedItemIsMadeAgainWhenAskedFor) {
  JamRecipe recipe;
  recipe.items = {PatternItem(3, 1, 5, 4, 0, 1), PatternItem(0, 0, 2, 2, 0, 2)};
  recipe.canvas = PatternCanvas(6, 7);
  LoadedJam loaded(recipe);
  const std::vector<std::uint8_t> pixels = toVector(loaded.jam.RemapItem(0));
  Picture first;
  ASSERT_TRUE(loaded.jam.MakeBitmap(first, 0));
  loaded.jam.ReleaseItem(0);
  loaded.jam.ReleaseItem(2);  // no such item: nothing happens
  EXPECT_EQ(toVector(loaded.jam.RemapItem(0)), pixels);
  loaded.jam.ReleaseItem(0);
  Picture again;
  ASSERT_TRUE(loaded.jam.MakeBitmap(again, 0));
  EXPECT_EQ(again, first);
  EXPECT_EQ(toVector(loaded.jam.RemapItem(1)), (std::vector<std::uint8_t>{0, 1, 7, 8}));
}

TEST(JamCanvas, CanvasByteStopsAtItem0HeightAndColumn255) {
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 1, 3, 0, 1)};
  recipe.canvas = PatternCanvas(2, 16);
  LoadedJam loaded(recipe);
  const JAM& jam = loaded.jam;
  EXPECT_EQ(jam.CanvasByte(5, 0), 5);
  EXPECT_EQ(jam.CanvasByte(5, 1), 21);
  EXPECT_EQ(jam.CanvasByte(255, 1), (255 + 16) % 256);
  EXPECT_EQ(jam.CanvasByte(5, 2), 0);  // below the canvas, within item 0's height
  EXPECT_EQ(jam.CanvasByte(5, 3), 0);  // item 0's height reached
  EXPECT_EQ(jam.CanvasByte(256, 0), 0);
  EXPECT_EQ(jam.CanvasByte(-1, 0), 0);
  EXPECT_EQ(jam.CanvasByte(0, -1), 0);
}

}  // namespace
}  // namespace tavrel
