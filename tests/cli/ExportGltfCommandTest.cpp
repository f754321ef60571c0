// tavrel-cli export-gltf: the car's polygons as the textured view draws them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "support/CliRunner.h"
#include "support/GltfReader.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::GltfCorner;
using test::RunCli;

// Model points (0,0,0), (1000,0,0), (1000,1000,0), (0,1000,0), (0,0,500);
// the image stores x negated.
ShapeRecipe SquareAndTriangles() {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {-1000, 0, 0, 0}, {-1000, 1000, 0, 0}, {0, 1000, 0, 0}, {0, 0, 500, 0}};
  recipe.connections = {{0, 1, 0, 0}, {2, 1, 0, 0}, {2, 3, 0, 0}, {3, 0, 0, 0}, {0, 4, 0, 0}, {4, 1, 0, 0}};
  recipe.commands = {
      {0x00, 1, 99, 0xFFFE, 3, 4, 0},  // square; entry 99 names no connection
      {0x80, 1, 2, 3},                 // no index list
      {0x00, 5, 6, 0},                 // two corners: no area
      {0x11, 7, 0, 5, 6, 0xFFFF, 0},   // no mapping entry: keeps slot 2
      {0x00, 5, 6, 0xFFFF, 0},         // slot 4
  };
  return recipe;
}

using test::WriteText;

// The square and triangles as car.cs3, with a texture.cfg that maps them onto slots 2 and 4.
void WriteMappedCar(const std::filesystem::path& folder) {
  test::WriteBytes(folder / "car.cs3", BuildShapeFile(SquareAndTriangles()));
  WriteText(folder / "texture.cfg", "0,2,5,10,20,99,99,30,40,50,60,70,80\n4,4,3,1,2,3,4,5,6\n");
}

GltfCorner Corner(float x, float y, float z, int u, int v) {
  return {{x, y, z}, {static_cast<float>(u) / 256.0f, static_cast<float>(v) / 256.0f}};
}

TEST(ExportGltfCommand, PolygonsBecomeFansWithTheCornersOfTheirListPositions) {
  ScratchFolder dir;
  WriteMappedCar(dir.path());
  const auto result =
      RunCli({"export-gltf", (dir / "car.cs3").string(), dir.path().string(), (dir / "car.gltf").string()});
  ASSERT_EQ(result.status, 0) << result.err;

  const test::GltfFile file = test::ReadGltf(dir / "car.gltf");
  const auto primitives = test::NodeTriangles(file, "Car");
  ASSERT_EQ(primitives.size(), 2u);
  // The square's fan from its first corner, each triangle turned
  // counter-clockwise; the skipped entry 99 still counts as position 1.
  const std::vector<GltfCorner> slot2 = {
      Corner(0, 0, 0, 10, 20), Corner(1000, 1000, 0, 50, 60), Corner(1000, 0, 0, 30, 40),
      Corner(0, 0, 0, 10, 20), Corner(0, 1000, 0, 70, 80),    Corner(1000, 1000, 0, 50, 60),
      Corner(0, 0, 0, 0, 0),   Corner(1000, 0, 0, 0, 0),      Corner(0, 0, 500, 0, 0)};
  const std::vector<GltfCorner> slot4 = {Corner(0, 0, 0, 1, 2), Corner(1000, 0, 0, 5, 6), Corner(0, 0, 500, 3, 4)};
  EXPECT_EQ(primitives[0].material, "Slot 2");
  EXPECT_EQ(primitives[0].corners, slot2);
  EXPECT_EQ(primitives[1].material, "Slot 4");
  EXPECT_EQ(primitives[1].corners, slot4);

  // Model axes under one root node that stands them up in glTF's axes;
  // materials drawn from both sides, with the slot pictures beside the file.
  EXPECT_EQ(file.json["nodes"][0]["rotation"],
            nlohmann::json::parse("[0.0, 0.7071067811865476, 0.7071067811865476, 0.0]"));
  // A game unit is a millimetre: the root node scales to glTF's metres.
  EXPECT_EQ(file.json["nodes"][0]["scale"], nlohmann::json::parse("[0.001, 0.001, 0.001]"));
  for (const auto& material : file.json["materials"]) EXPECT_EQ(material["doubleSided"], true);
  const auto png = test::ReadBytes(dir / "car-slot2.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  EXPECT_EQ(*readU32(std::vector<std::uint8_t>{png[19], png[18], png[17], png[16]}, 0), 256u);  // IHDR width
  EXPECT_TRUE(std::filesystem::exists(dir / "car-slot4.png"));
  EXPECT_FALSE(std::filesystem::exists(dir / "car-slot1.png"));
  // A car from a shape file has no parts.
  EXPECT_EQ(file.json["nodes"].size(), 2u);
}

TEST(ExportGltfCommand, PolygonsBeforeAnySlotIsBoundAreUntextured) {
  ScratchFolder dir;
  test::WriteBytes(dir / "car.cs3", BuildShapeFile(SquareAndTriangles()));
  WriteText(dir / "texture.cfg", "// nothing mapped\n");
  const auto result =
      RunCli({"export-gltf", (dir / "car.cs3").string(), dir.path().string(), (dir / "car.gltf").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const test::GltfFile file = test::ReadGltf(dir / "car.gltf");
  const auto primitives = test::NodeTriangles(file, "Car");
  ASSERT_EQ(primitives.size(), 1u);
  EXPECT_EQ(primitives[0].material, "Untextured");
  EXPECT_EQ(primitives[0].corners.size(), 12u);
  EXPECT_FALSE(primitives[0].corners.empty() || file.json.contains("images"));
}

TEST(ExportGltfCommand, ExitStatuses) {
  ScratchFolder dir;
  auto bad = BuildShapeFile(SquareAndTriangles());
  bad[1] = 0x90;
  test::WriteBytes(dir / "bad.cs3", bad);
  test::WriteBytes(dir / "car.cs3", BuildShapeFile(SquareAndTriangles()));
  const std::string game = dir.path().string();
  const std::string out = (dir / "out.gltf").string();
  EXPECT_EQ(RunCli({"export-gltf", (dir / "missing.cs3").string(), game, out}).status, 2);
  EXPECT_EQ(RunCli({"export-gltf", (dir / "car.cs3").string(), game}).status, 2);
  EXPECT_EQ(RunCli({"export-gltf", (dir / "car.cs3").string(), (dir / "no-such-folder").string(), out}).status, 2);
  EXPECT_EQ(RunCli({"export-gltf", "--exe", (dir / "car.cs3").string(), "--patch-level", "0",
                    (dir / "car.cs3").string(), game, out})
                .status,
            2);
  EXPECT_EQ(RunCli({"export-gltf", (dir / "bad.cs3").string(), game, out}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(
      RunCli({"export-gltf", (dir / "car.cs3").string(), game, (dir / "no-such-folder" / "out.gltf").string()}).status,
      1);
}

// Every file of an export, with its bytes.
std::map<std::string, std::vector<std::uint8_t>> Export(const std::filesystem::path& folder) {
  std::map<std::string, std::vector<std::uint8_t>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    files[entry.path().lexically_relative(folder).generic_string()] =
        entry.is_regular_file() ? test::ReadBytes(entry.path()) : std::vector<std::uint8_t>{};
  return files;
}

// The files of an export go into place together: when one cannot be written,
// the earlier export stays whole, with no new file beside its old ones.
TEST(ExportGltfCommand, FailedExportLeavesTheEarlierExportAsItWas) {
  for (const char* blocked : {"car.bin", "car-slot4.png", "car.gltf"}) {
    ScratchFolder dir;
    WriteMappedCar(dir.path());
    std::filesystem::create_directories(dir / "out");
    for (const char* old : {"car.gltf", "car.bin", "car-slot2.png"}) WriteText(dir / "out" / old, "old");
    std::filesystem::remove(dir / "out" / blocked);
    std::filesystem::create_directories(dir / "out" / blocked / "inside");
    const auto before = Export(dir / "out");

    const auto result =
        RunCli({"export-gltf", (dir / "car.cs3").string(), dir.path().string(), (dir / "out" / "car.gltf").string()});
    EXPECT_EQ(result.status, 1) << blocked;
    const std::string message =
        "Cannot open file for writing: " + (dir / "out" / blocked).string() + " (it is not a regular file)\n";
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    EXPECT_EQ(Export(dir / "out"), before) << blocked;
  }
}

// References in the .gltf are URIs: what is not plain in one is percent-encoded,
// while the files keep the names asked for.
TEST(ExportGltfCommand, FileNamesAreWrittenAsTheyAreAndReferredToAsURIs) {
  const std::pair<const char*, const char*> names[] = {
      {"my car", "my%20car"},
      {"100%", "100%25"},
      {"car #2?", "car%20%232%3F"},
      {"\xC3\xBC:1", "%C3%BC%3A1"},
  };
  for (const auto& [stem, uri] : names) {
    ScratchFolder dir;
    WriteMappedCar(dir.path());
    const std::string gltf = std::string(stem) + ".gltf";
    const auto result = RunCli({"export-gltf", (dir / "car.cs3").string(), dir.path().string(), (dir / gltf).string()});
    ASSERT_EQ(result.status, 0) << result.err;
    std::ifstream in(dir / gltf);
    const auto json = nlohmann::json::parse(in);
    EXPECT_EQ(json["buffers"][0]["uri"], std::string(uri) + ".bin");
    EXPECT_EQ(json["images"][0]["uri"], std::string(uri) + "-slot2.png");
    EXPECT_EQ(json["images"][1]["uri"], std::string(uri) + "-slot4.png");
    for (const char* suffix : {".bin", "-slot2.png", "-slot4.png"})
      EXPECT_TRUE(std::filesystem::exists(dir / (std::string(stem) + suffix))) << stem << suffix;
  }
}

}  // namespace
}  // namespace tavrel
