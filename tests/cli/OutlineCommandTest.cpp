#include <gtest/gtest.h>

#include "demo/JamWriter.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::RunCli;

using test::InFolder;
using test::WriteText;

ShapeRecipe SmallShape(int tableOffset) {
  ShapeRecipe recipe;
  recipe.tableOffset = tableOffset;
  recipe.points = {{5, 6, 7, 8}, {0, 0, 0, 0}};
  recipe.connections = {{0, 1, 0, 0}};
  recipe.commands = {{1, 3, 0xFFFE, 5, 0}, {1, 1, 1, 0}};
  recipe.dataValues = {12, 34, 56};
  return recipe;
}

const std::string kCameraLines =
    "    c[1] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[2] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[3] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[4] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[5] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[6] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[7] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[8] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n"
    "    c[9] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n";

TEST(OutlineCommand, PrintsEveryItemIndentedByLevel) {
  ScratchFolder dir;
  test::WriteBytes(dir / "car.cs3", BuildShapeFile(SmallShape(94)));
  WriteText(dir / "texture.cfg", "1,1,0\n");
  InFolder inside(dir.path());
  const auto result = RunCli({"outline", "car.cs3"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Car:car.cs3\n"
            "  Verticies 2\n"
            "    p[0] -5 6 7 (U1=8)\n"
            "    p[1] 0 0 0 (U1=0)\n"
            "  Connections 1\n"
            "    v[1] 0-> 1  (U1=0 U2=0)\n"
            "  TextureData 2\n"
            "    [0] 0 (0x1) Args=3 -2 5 0 \n"
            "      Verticies=3 -2 5 \n"
            "    [1] 1 (0x1) Args=1 1 0 \n"
            "      Verticies=1 1 \n"
            "  UnkData 3\n"
            "    u[0]12 34 56 \n"
            "  Cameras 9\n" +
                kCameraLines);
  EXPECT_EQ(result.err, "");
}

TEST(OutlineCommand, ImagesComeAfterTheIndentation) {
  ScratchFolder dir;
  test::WriteBytes(dir / "helmet.ch3", BuildShapeFile(SmallShape(78), ShapeKind::Helmet));
  WriteText(dir / "texture.cfg", "1,1,0\n");
  InFolder inside(dir.path());
  const auto result = RunCli({"outline", (dir / "helmet.ch3").string(), "--kind", "helmet", "--images"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string expectedStart = "6\tCar:" + (dir / "helmet.ch3").string() +
                                    "\n"
                                    "  1\tVerticies 2\n"
                                    "    1\tp[0] -5 6 7 (U1=8)\n"
                                    "    1\tp[1] 0 0 0 (U1=0)\n"
                                    "  2\tConnections 1\n"
                                    "    2\tv[1] 0-> 1  (U1=0 U2=0)\n"
                                    "  3\tTextureData 2\n"
                                    "    3\t[0] 0 (0x1) Args=3 -2 5 0 \n"
                                    "      3\tVerticies=3 -2 5 \n"
                                    "    7\t[1] 1 (0x1) Args=1 1 0 \n"
                                    "      3\tVerticies=1 1 \n"
                                    "  1\tUnkData 3\n"
                                    "    1\tu[0]12 34 56 \n"
                                    "  5\tCameras 9\n"
                                    "    5\tc[1] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)\n";
  EXPECT_EQ(result.out.substr(0, expectedStart.size()), expectedStart);
}

TEST(OutlineCommand, ExitStatuses) {
  ScratchFolder dir;
  auto bad = BuildShapeFile(SmallShape(94));
  bad[1] = 0x90;
  test::WriteBytes(dir / "bad.cs3", bad);
  InFolder inside(dir.path());

  const auto badMagic = RunCli({"outline", "bad.cs3"});
  EXPECT_EQ(badMagic.status, 1);
  EXPECT_EQ(badMagic.err, "Bad magic number ffff9002 in the shape image\n");
  EXPECT_EQ(badMagic.out.rfind("Car:bad.cs3\n  Verticies 0\n", 0), 0u);
  EXPECT_EQ(RunCli({"outline", "missing.cs3"}).status, 2);
  EXPECT_EQ(RunCli({"outline", "bad.cs3", "--kind", "boat"}).status, 2);
  const auto help = RunCli({"outline", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--images"), std::string::npos);
}

TEST(JamOutlineCommand, PrintsTheLinesUnderTheFilesItem) {
  ScratchFolder dir;
  constexpr std::uint32_t kSeed = 0x12345678;
  JamRecipe recipe;
  recipe.totalImageSize = 64;
  recipe.items = {PatternItem(1, 2, 3, 4, 2, 9)};
  recipe.items[0].idx08 = -1;
  recipe.canvas = PatternCanvas(8);
  test::WriteBytes(dir / "a.jam", BuildJamFile(recipe, kSeed));

  const auto result = RunCli({"jam", "outline", (dir / "a.jam").string(), "--jam-seed", std::to_string(kSeed)});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Num Jam Items:1\n"
            "  JamId:9  (1 2 3 4)\n"
            "    X:1\n"
            "    Y:2\n"
            "    Width:3\n"
            "    Height:4\n"
            "    IDX_08:-1\n"
            "    IDX_0A:0\n"
            "    IDX_0E:0\n"
            "    IDX_14:0\n"
            "    IDX_16:0\n"
            "    IDX_17:0\n"
            "    IDX_18[0]:0\n"
            "    IDX_18[1]:0\n"
            "    IDX_18[2]:0\n"
            "    IDX_18[3]:0\n"
            "    IDX_18[4]:0\n"
            "    IDX_18[5]:0\n"
            "    IDX_18[6]:0\n"
            "    IDX_18[7]:0\n"
            "    PaletteSize:2\n"
            "    PalettePtr:0\n"
            "    Palette1:2\n"
            "      [0] Val:0 (63 103 103)\n"
            "      [1] Val:1 (0 0 0)\n"
            "    Palette2:2\n"
            "      [0] Val:1\n"
            "      [1] Val:2\n"
            "    Palette3:2\n"
            "      [0] Val:2\n"
            "      [1] Val:3\n"
            "    Palette4:2\n"
            "      [0] Val:3\n"
            "      [1] Val:4\n"
            "Total Image Size:64\n");
}

TEST(JamOutlineCommand, EmptyAndMissingFiles) {
  ScratchFolder dir;
  test::WriteBytes(dir / "empty.jam", BuildJamFile(JamRecipe{}));
  const auto empty = RunCli({"jam", "outline", (dir / "empty.jam").string()});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "Num Jam Items:0\nTotal Image Size:0\n");

  // Too short for the five item records it announces: refused, listed as in the tree.
  std::vector<std::uint8_t> shortFile = {5, 0, 0, 0};
  ScrambleJamBytes(shortFile, kDefaultJamSeed);
  test::WriteBytes(dir / "short.jam", shortFile);
  const auto refused = RunCli({"jam", "outline", (dir / "short.jam").string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "Currently Unloaded\n");
  EXPECT_NE(refused.err, "");

  const std::string missing = (dir / "missing.jam").string();
  const auto result = RunCli({"jam", "outline", missing});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Failed to load JAM File (" + missing + ")\n");
  EXPECT_EQ(RunCli({"jam", "outline"}).status, 2);
}

}  // namespace
}  // namespace tavrel
