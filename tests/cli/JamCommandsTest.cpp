#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include <cstring>
#include <nlohmann/json.hpp>

#include "demo/JamWriter.h"
#include "support/CliRunner.h"
#include "support/EveryFieldJamItem.h"
#include "support/TestSupport.h"
#include "textures/GamePalette.h"
#include "textures/TextureSlots.h"

namespace tavrel {
namespace {

using test::RunCli;

// The PNG file as a picture; empty when it cannot be read.
Picture readPng(const std::filesystem::path& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  Picture picture(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) return {};
  return picture;
}

// Item 0: 3 x 2 at (5, 1) through a 4-entry Palette1; item 1: 2 x 2 at (0, 0)
// without colour tables, so canvas bytes are palette indices.
JamRecipe twoItems() {
  JamRecipe recipe;
  recipe.items = {PatternItem(5, 1, 3, 2, 4, 700, 200), PatternItem(0, 0, 2, 2, 0, 701)};
  recipe.canvas = std::vector<std::uint8_t>(3 * 256, 0);
  // Row 1, columns 5 to 7: bytes 0, 1, 2; row 2: 3, 4, 9 (9 has no Palette1 entry).
  const std::vector<std::uint8_t> bytes = {0, 1, 2, 3, 4, 9};
  for (int k = 0; k < 6; ++k)
    recipe.canvas[static_cast<std::size_t>(1 + k / 3) * 256 + static_cast<std::size_t>(5 + k % 3)] =
        bytes[static_cast<std::size_t>(k)];
  recipe.canvas[0] = 7;
  recipe.canvas[1] = 250;
  return recipe;
}

TEST(JamInfoCommand, PrintsEveryFieldAndTableInOrder) {
  JamRecipe recipe;
  recipe.totalImageSize = 4321;
  recipe.items = {test::EveryFieldItem(), PatternItem(0, 0, 2, 2, 0, 701)};
  ScratchFolder dir;
  test::WriteBytes(dir / "two.jam", BuildJamFile(recipe, 0x5EED5EEDu));
  const auto result = RunCli({"jam", "info", (dir / "two.jam").string(), "--jam-seed", "0x5EED5EED"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto info = nlohmann::ordered_json::parse(result.out);
  EXPECT_EQ(info.dump(),
            R"({"count":2,"totalImageSize":4321,"items":[)"
            R"({"x":10,"y":300,"width":4,"height":2,"idx08":-300,"idx0A":43981,"palettePtr":261,"idx0E":3599,)"
            R"("paletteSize":3,"jamId":777,"idx14":5141,"idx16":22,"idx17":200,"idx18":[0,1,2,3,4,5,6,255],)"
            R"("palette1":[0,255,48],"palette2":[1,2,3],"palette3":[4,5,6],"palette4":[7,8,9]},)"
            R"({"x":0,"y":0,"width":2,"height":2,"idx08":0,"idx0A":0,"palettePtr":0,"idx0E":0,"paletteSize":0,)"
            R"("jamId":701,"idx14":0,"idx16":0,"idx17":0,"idx18":[0,0,0,0,0,0,0,0],)"
            R"("palette1":[],"palette2":[],"palette3":[],"palette4":[]}]})");
}

TEST(JamInfoCommand, StatusesOfUnreadableAndRefusedFiles) {
  ScratchFolder dir;
  std::vector<std::uint8_t> truncated = BuildJamContent(twoItems());
  truncated.resize(40);
  ScrambleJamBytes(truncated, kDefaultJamSeed);
  test::WriteBytes(dir / "short.jam", truncated);

  const auto missing = RunCli({"jam", "info", (dir / "none.jam").string()});
  EXPECT_EQ(missing.status, 2);
  const auto refused = RunCli({"jam", "info", (dir / "short.jam").string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "Failed to load JAM File (" + (dir / "short.jam").string() +
                             "): its 40 bytes are too few for the header and 2 items\n");
  EXPECT_TRUE(refused.out.empty());
  EXPECT_EQ(RunCli({"jam", "info", (dir / "short.jam").string(), "--jam-seed", "seed"}).status, 2);

  // Refused from its length at once; sparse, so it takes no room on disk.
  test::WriteBytes(dir / "huge.jam", BuildJamFile(twoItems()));
  std::filesystem::resize_file(dir / "huge.jam", std::uintmax_t{5} << 30);
  const std::string huge = (dir / "huge.jam").string();
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"jam", "info", huge}, {"jam", "extract", huge, (dir / "out").string()}}) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 1) << args[1];
    EXPECT_EQ(result.err, "Failed to load JAM File (" + huge +
                              "): its 5368709120 bytes are more than the 67108864 bytes a JAM file may hold\n");
    EXPECT_TRUE(result.out.empty()) << args[1];
  }
}

TEST(JamPngCommands, WriteItemPicturesInTheGamePalette) {
  ScratchFolder dir;
  test::WriteBytes(dir / "two.jam", BuildJamFile(twoItems()));
  const auto png = RunCli({"jam", "png", (dir / "two.jam").string(), "--item", "0", "--out", (dir / "0.png").string()});
  ASSERT_EQ(png.status, 0) << png.err;
  const Picture first = readPng(dir / "0.png");
  ASSERT_EQ(first.width, 3);
  ASSERT_EQ(first.height, 2);
  const std::vector<int> indices = {200, 201, 202, 203, 0, 0};
  for (int k = 0; k < 6; ++k)
    EXPECT_EQ(first.At(k % 3, k / 3), kGamePalette[static_cast<std::size_t>(indices[static_cast<std::size_t>(k)])])
        << k;

  const auto extract = RunCli({"jam", "extract", (dir / "two.jam").string(), (dir / "all").string()});
  ASSERT_EQ(extract.status, 0) << extract.err;
  EXPECT_EQ(readPng(dir / "all/item-0.png"), first);
  const Picture second = readPng(dir / "all/item-1.png");
  ASSERT_EQ(second.width, 2);
  EXPECT_EQ(second.At(0, 0), kGamePalette[7]);
  EXPECT_EQ(second.At(1, 0), kGamePalette[250]);
  EXPECT_EQ(second.At(1, 1), kGamePalette[0]);

  const auto outside =
      RunCli({"jam", "png", (dir / "two.jam").string(), "--item", "2", "--out", (dir / "2.png").string()});
  EXPECT_EQ(outside.status, 1);
  EXPECT_FALSE(outside.err.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "2.png"));

  // A picture that cannot be written is named with the reason.
  std::filesystem::create_directory(dir / "taken.png");
  const auto blocked =
      RunCli({"jam", "png", (dir / "two.jam").string(), "--item", "0", "--out", (dir / "taken.png").string()});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_EQ(blocked.err,
            "Cannot open file for writing: " + (dir / "taken.png").string() + " (it is not a regular file)\n");
}

TEST(TexturesCommand, WritesTheFourSlotsAsANewCarViewMakesThem) {
  ScratchFolder dir;
  std::filesystem::create_directories(dir / "zavjams/Main");
  std::filesystem::create_directories(dir / "zavjams/Liveries");
  test::WriteBytes(dir / "zavjams/Main/Chassis3.jam", BuildJamFile(SolidItemsJam({{256, 164, 80}})));
  test::WriteBytes(dir / "zavjams/Liveries/Ferrar98.jam",
                   BuildJamFile(SolidItemsJam({{256, 164, 40}, {256, 164, 41}})));

  const auto result =
      RunCli({"textures", dir.path().string(), "--livery", "Ferrar98.jam", "--out", (dir / "out").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.err.empty());
  const std::vector<std::pair<int, std::optional<int>>> expected = {{1, 40}, {2, 41}, {3, std::nullopt}, {4, 80}};
  for (const auto& [slot, colour] : expected) {
    const Picture picture = readPng(dir / "out" / ("slot-" + std::to_string(slot) + ".png"));
    ASSERT_EQ(picture.width, 256) << slot;
    ASSERT_EQ(picture.height, 256) << slot;
    const Rgb top = colour ? kGamePalette[static_cast<std::size_t>(*colour)] : BuiltInTexture().At(10, 10);
    EXPECT_EQ(picture.At(10, 10), top) << slot;
    EXPECT_EQ(picture.At(10, 200), BuiltInTexture().At(10, 200)) << slot;
  }

  // With the RCR switch every slot is the built-in bitmap; the default livery is missing.
  const auto rcr = RunCli({"textures", dir.path().string(), "--draw-rcr", "1", "--out", (dir / "rcr").string()});
  EXPECT_EQ(rcr.status, 0);
  EXPECT_NE(rcr.err.find("Mclare98.jam)"), std::string::npos) << rcr.err;
  for (int slot = 1; slot <= 4; ++slot)
    EXPECT_EQ(readPng(dir / "rcr" / ("slot-" + std::to_string(slot) + ".png")), BuiltInTexture()) << slot;

  EXPECT_EQ(RunCli({"textures", (dir / "nowhere").string(), "--out", (dir / "x").string()}).status, 2);
  EXPECT_EQ(RunCli({"textures", dir.path().string(), "--draw-rcr", "2", "--out", (dir / "x").string()}).status, 2);
}

// A chassis of hundreds of large items over a 1 MB canvas: only the last one
// shows, so only its picture is made, and none is kept. Making and keeping them
// all would take the command past 300 MB.
TEST(TexturesCommand, AChassisOfManyLargeItemsCostsOnePicture) {
  ScratchFolder dir;
  std::filesystem::create_directories(dir / "zavjams/Main");
  JamRecipe chassis;
  chassis.canvas = PatternCanvas(4096);
  for (std::uint16_t i = 0; i < 300; ++i) chassis.items.push_back(PatternItem(0, 0, 1024, 1024, 0, i));
  test::WriteBytes(dir / "zavjams/Main/Chassis3.jam", BuildJamFile(chassis));

  const auto result = RunCli({"textures", dir.path().string(), "--out", (dir / "out").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  rusage usage{};
  ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
  EXPECT_LT(usage.ru_maxrss, 80 * 1024) << "kilobytes at the peak";
  // The slot shows the last item: the canvas pattern from its top left.
  const Picture slot = readPng(dir / "out" / "slot-4.png");
  EXPECT_EQ(slot.At(3, 2), kGamePalette[(3 + 2) % 256]);
}

}  // namespace
}  // namespace tavrel
