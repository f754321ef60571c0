// The demo game directory that make-demo writes: the same bytes every time,
// the executable holding what Tavrel reads from it, JAM files that load, a
// texture.cfg that maps every polygon, and an export that other programs take.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>

#include "DemoGeometry.h"
#include "base/Format.h"
#include "demo/DemoLiveries.h"
#include "demo/TextureLayout.h"
#include "shape/CameraFile.h"
#include "shape/GameExecutable.h"
#include "shape/JamFile.h"
#include "shape/PolygonCorners.h"
#include "shape/RcrPatches.h"
#include "support/CliRunner.h"
#include "support/GltfReader.h"
#include "support/TestSupport.h"
#include "textures/CarMappingTable.h"
#include "textures/TextureSlots.h"

namespace tavrel::test {
namespace {

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
  return hash;
}

// Relative path -> hash of every file under a folder.
std::map<std::string, std::uint64_t> HashTree(const std::filesystem::path& root) {
  std::map<std::string, std::uint64_t> hashes;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      hashes[std::filesystem::relative(entry.path(), root).generic_string()] = Fnv1a(ReadBytes(entry.path()));
  return hashes;
}

// One demo game per patch level, made once for all tests.
class DemoGame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_Dir = new ScratchFolder;
    for (int level : {0, 1}) {
      const auto result = RunCli({"make-demo", Game(level).string(), "--patch-level", std::to_string(level)});
      ASSERT_EQ(result.status, 0) << result.err;
      ASSERT_EQ(result.err, "");
    }
  }
  static void TearDownTestSuite() {
    delete s_Dir;
    s_Dir = nullptr;
  }
  static std::filesystem::path Game(int level) { return *s_Dir / ("level" + std::to_string(level)); }
  static std::filesystem::path Exe(int level) { return Game(level) / "zav.exe"; }

  static ScratchFolder* s_Dir;
};
ScratchFolder* DemoGame::s_Dir = nullptr;

TEST_F(DemoGame, IsTheSameBytesOnEveryRun) {
  ScratchFolder again;
  ASSERT_EQ(RunCli({"make-demo", again.path().string()}).status, 0);
  const auto first = HashTree(Game(0));
  EXPECT_EQ(HashTree(again.path()), first);
  // The twelve texture files the program lists with the car, and the rest.
  std::set<std::string> expected(kCarJamPaths.begin(), kCarJamPaths.end());
  expected.insert({"zav.exe", "texture.cfg", "cars/demo.cs3", "cars/demo.ch3", "cars/demo.cp3", "cars/demo.ty3",
                   "cars/demo.st3", "cars/demo.cam"});
  std::set<std::string> written;
  for (const auto& [name, hash] : first) written.insert(name);
  EXPECT_EQ(written, expected);
  // Another seed scrambles the JAM files differently and nothing else.
  ScratchFolder seeded;
  ASSERT_EQ(RunCli({"make-demo", seeded.path().string(), "--jam-seed", "12345"}).status, 0);
  for (const auto& [name, hash] : HashTree(seeded.path()))
    EXPECT_EQ(hash == first.at(name), name.rfind("zavjams/", 0) != 0) << name;
}

TEST_F(DemoGame, FileSizesAreTheGamesOwn) {
  const std::pair<const char*, std::uintmax_t> sizes[] = {{"cars/demo.cs3", 133952}, {"cars/demo.ch3", 7764},
                                                          {"cars/demo.cp3", 23664},  {"cars/demo.ty3", 27764},
                                                          {"cars/demo.st3", 496},    {"cars/demo.cam", 180}};
  for (int level : {0, 1}) {
    for (const auto& [name, size] : sizes) EXPECT_EQ(std::filesystem::file_size(Game(level) / name), size) << name;
    // The executable ends just past its camera records.
    EXPECT_EQ(std::filesystem::file_size(Exe(level)),
              static_cast<std::uintmax_t>(PositionsForPatchLevel(level).cameras) + kCameraFileSize);
  }
}

TEST_F(DemoGame, ExtractingFromTheExecutableGivesTheFilesInCars) {
  for (int level : {0, 1}) {
    ScratchFolder out;
    const auto result = RunCli(
        {"exe", "extract", Exe(level).string(), "--patch-level", std::to_string(level), "--out", out.path().string()});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::pair<const char*, const char*> pairs[] = {
        {"car.cs3", "demo.cs3"},   {"helmet.ch3", "demo.ch3"},         {"cockpit.cp3", "demo.cp3"},
        {"wheel.ty3", "demo.ty3"}, {"steering-wheel.st3", "demo.st3"}, {"cameras.cam", "demo.cam"}};
    for (const auto& [extracted, demo] : pairs)
      EXPECT_EQ(ReadBytes(out / extracted), ReadBytes(Game(level) / "cars" / demo)) << level << " " << demo;
  }
}

TEST_F(DemoGame, ExecutableHoldsTheShapesCamerasAndViewDistancesOfItsLevel) {
  for (int level : {0, 1}) {
    RecordingMessages messages;
    const ExePositions positions = PositionsForPatchLevel(level);
    const auto car = ImportFromExe(Exe(level), positions, messages);
    ASSERT_TRUE(car);
    ASSERT_TRUE(ReadCamerasFromExe(*car, Exe(level), positions, messages));
    EXPECT_TRUE(messages.shown.empty());
    const std::pair<const Car*, ShapeKind> shapes[] = {{car.get(), ShapeKind::Car},
                                                       {car->m_Wheel.get(), ShapeKind::Wheel},
                                                       {car->m_Helmet.get(), ShapeKind::Helmet},
                                                       {car->m_Cockpit.get(), ShapeKind::Cockpit},
                                                       {car->m_SteeringWheel.get(), ShapeKind::SteeringWheel}};
    for (const auto& [shape, kind] : shapes) {
      const ShapeRecipe recipe = demo::MakeDemoShape(kind).recipe;
      EXPECT_EQ(shape->m_Valid, 1);
      EXPECT_EQ(shape->m_PointCount, static_cast<int>(recipe.points.size()));
      EXPECT_EQ(shape->m_ConnectionCount, static_cast<int>(recipe.connections.size()));
      EXPECT_EQ(shape->m_CommandCount, static_cast<int>(recipe.commands.size()));
      EXPECT_EQ(shape->m_DataValueCount, static_cast<int>(recipe.dataValues.size()));
    }
    const auto cameras = demo::MakeDemoCameras();
    for (std::size_t i = 0; i < cameras.size(); ++i) EXPECT_EQ(car->m_Cameras[i].m_Record, cameras[i]) << i;
    EXPECT_EQ(ReadRcrDistances(Exe(level), RcrBlockOffset(level), messages), (RcrDistances{3840, 7680, 3840, 7680}));
    EXPECT_EQ(ReadTriggerDistance(Exe(level), kTriggerOffset, messages), 3200);
  }
  // The other level's places hold no shape.
  RecordingMessages messages;
  const auto wrong = ImportFromExe(Exe(0), PositionsForPatchLevel(1), messages);
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->m_Valid, 0);
}

TEST_F(DemoGame, EveryJamLoadsAndMakesEveryPicture) {
  std::set<std::vector<std::uint8_t>> bodies;
  for (std::string_view relative : kCarJamPaths) {
    const std::filesystem::path path = Game(0) / std::string(relative);
    RecordingMessages messages;
    JAM jam(path);
    ASSERT_TRUE(jam.Load(true, messages)) << path;
    EXPECT_TRUE(messages.shown.empty());
    const bool livery = path.parent_path().filename() == "Liveries";
    EXPECT_GE(jam.ItemCount(), livery ? 40 : 2) << path;
    for (int i = 0; i < jam.ItemCount(); ++i) {
      EXPECT_EQ(jam.GetPaletteSize(i), 256);
      EXPECT_EQ(jam.GetPalette1(i).size(), 256u);
      Picture picture;
      ASSERT_TRUE(jam.MakeBitmap(picture, i)) << path << " item " << i;
      EXPECT_EQ(picture.width, jam.GetWidth(i));
      EXPECT_EQ(picture.height, jam.GetHeight(i));
    }
    // What goes into the slots: a livery's first three pictures, the chassis file's last.
    const std::vector<int> slotItems = livery ? std::vector<int>{0, 1, 2} : std::vector<int>{jam.ItemCount() - 1};
    for (int i : slotItems) {
      EXPECT_EQ(jam.GetWidth(i), 256) << path << " item " << i;
      EXPECT_EQ(jam.GetHeight(i), 164) << path << " item " << i;
    }
    if (livery) {
      Picture body;
      jam.MakeBitmap(body, 0);
      bodies.insert(body.rgb);
    }
  }
  EXPECT_EQ(bodies.size(), 11u);  // eleven distinct liveries
}

// Where a point of the car's surface lands in slot 1, as texture.cfg maps it.
TEST_F(DemoGame, LiveryShowsItsRaceNumberAndStripesWhereTextureCfgPutsTheBody) {
  TextureSlots slots;
  ResetTextureBitmaps(slots);
  TextureSources sources;
  sources.m_GameLocation = Game(0).string();
  sources.m_CarJamName = "Jordan98.jam";
  RecordingMessages messages;
  LoadCarTextures(slots, sources, messages);
  EXPECT_TRUE(messages.shown.empty());
  const demo::LiveryScheme& scheme = demo::DemoLiveries()[7];
  ASSERT_EQ(scheme.file, "Jordan98.jam");
  const auto colourAt = [&](int slot, const demo::AxisMap& u, const demo::AxisMap& v, Vec3 p) {
    return slots.Slot(slot).At(u.At(p), v.At(p));
  };
  const Rgb primary = kGamePalette[demo::NearestPaletteIndex(scheme.primary)];
  const Rgb secondary = kGamePalette[demo::NearestPaletteIndex(scheme.secondary)];
  const Rgb white = kGamePalette[demo::NearestPaletteIndex({250, 250, 250})];
  for (bool right : {true, false}) {
    // The roundel around the number on the sidepod, the body colour ahead of
    // it and the stripe along the engine cover's side.
    EXPECT_EQ(colourAt(1, demo::BodyAlong(right), demo::BodyHeight(), {0, -900 - 130, 290}), white);
    EXPECT_EQ(colourAt(1, demo::BodyAlong(right), demo::BodyHeight(), {0, -400, 290}), primary);
    EXPECT_EQ(colourAt(1, demo::BodyAlong(right), demo::BodyHeight(), {0, -1200, 600}), secondary);
  }
  EXPECT_EQ(colourAt(2, demo::NoseAcross(), demo::NoseAlong(), {0, 1200, 0}), secondary);
  EXPECT_EQ(colourAt(2, demo::NoseAcross(), demo::NoseAlong(), {60, 1660, 0}), white);
  // Slot 4 holds the chassis file's carbon: no livery colour in it.
  for (int row = 0; row < 164; row += 7)
    for (int column = 0; column < 256; column += 5) {
      const Rgb c = slots.Slot(4).At(column, row);
      EXPECT_TRUE(c.red == c.green && c.green == c.blue && c.red < 80) << column << "," << row;
    }
}

TEST_F(DemoGame, TextureCfgMapsEveryPolygonOntoASlot) {
  CarMappingTable mapping;
  mapping.ReadTextureCfg(Game(0));
  const DecodedDemo car = DecodeDemo(ShapeKind::Car);
  std::set<int> slots;
  for (int i = 0; i < car.car->m_CommandCount; ++i) {
    const TextureCmd& command = car.car->m_Commands[static_cast<std::size_t>(i)];
    if (command.m_IndexCount == 0) continue;
    ASSERT_TRUE(mapping.IsMapped(i)) << i;
    const MappingEntry entry = mapping.GetMapping(i);
    ASSERT_GE(entry.texture, 1);
    ASSERT_LE(entry.texture, 4);
    slots.insert(entry.texture);
    std::vector<Vec3> corners;
    for (const PolygonCorner& corner : PolygonCorners(*car.car, command)) {
      corners.push_back(PointOf(*car.car, corner.point));
      const auto k = static_cast<std::size_t>(corner.position);
      EXPECT_GE(entry.u[k], 0);
      EXPECT_LE(entry.u[k], 255);
      // Slots 1 to 3 show the livery only down to row 163.
      EXPECT_GE(entry.v[k], 0);
      EXPECT_LE(entry.v[k], 163) << i;
    }
    // The underside wears the chassis texture.
    const Vec3 n = demo::OutwardNormal(corners);
    if (n.z < -std::abs(n.x) && n.z < -std::abs(n.y)) {
      EXPECT_EQ(entry.texture, 4) << i;
    }
  }
  EXPECT_EQ(slots, (std::set<int>{1, 2, 3, 4}));
}

TEST_F(DemoGame, ExportPlacesThePartsWhereTheViewDrawsThem) {
  ScratchFolder out;
  const auto result = RunCli({"export-gltf", "--exe", Exe(1).string(), "--patch-level", "1", Game(1).string(),
                              (out / "demo.gltf").string(), "--livery", "Minard98.jam"});
  ASSERT_EQ(result.status, 0) << result.err;
  const GltfFile file = ReadGltf(out / "demo.gltf");
  const DecodedDemo car = DecodeDemo(ShapeKind::Car);
  const DecodedDemo cockpit = DecodeDemo(ShapeKind::Cockpit);
  const auto translation = [](const Vec3& p) { return nlohmann::json{p.x, p.y, p.z}; };
  std::map<std::string, nlohmann::json> placed;
  for (const auto& node : file.json["nodes"]) placed[node["name"]] = node.value("translation", nlohmann::json{0, 0, 0});
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(placed["Tyre " + std::to_string(i + 1)], translation(PointOf(*car.car, kFirstWheelPoint + i)));
  EXPECT_EQ(placed["Helmet"], translation(PointOf(*car.car, kHelmetPoint)));
  EXPECT_EQ(placed["Cockpit"], nlohmann::json({0, 0, 0}));
  EXPECT_EQ(placed["Steering Wheel"], translation(PointOf(*cockpit.car, kSteeringWheelPoint)));
  std::set<std::string> materials;
  for (const auto& material : file.json["materials"]) materials.insert(material["name"]);
  EXPECT_EQ(materials, (std::set<std::string>{"Slot 1", "Slot 2", "Slot 3", "Slot 4", "Tyre", "Helmet", "Cockpit",
                                              "Steering Wheel"}));
  for (int slot = 1; slot <= 4; ++slot)
    EXPECT_TRUE(std::filesystem::exists(out / ("demo-slot" + std::to_string(slot) + ".png")));
  // About five metres long in a viewer: the body's positions run along model y, in game units.
  double front = -1e9;
  double back = 1e9;
  for (const auto& primitive : file.json["meshes"][0]["primitives"]) {
    const nlohmann::json& positions = file.json["accessors"][primitive["attributes"]["POSITION"].get<std::size_t>()];
    front = std::max(front, positions["max"][1].get<double>());
    back = std::min(back, positions["min"][1].get<double>());
  }
  const double length = (front - back) * file.json["nodes"][0]["scale"][1].get<double>();
  EXPECT_GT(length, 4.0);
  EXPECT_LT(length, 6.0);
}

// The Khronos glTF validator, from the npm registry, run under Node.js. A name
// with a space, '#' and '%' must still give references it can follow.
TEST_F(DemoGame, ExportPassesTheGltfValidator) {
  const std::string dir = TAVREL_GLTF_VALIDATOR_DIR;
  ASSERT_EQ(std::system("node --version > /dev/null"), 0) << "Node.js is needed: bash scripts/setup.sh installs it";
  ASSERT_TRUE(std::filesystem::exists(dir + "/node_modules/gltf-validator/package.json"))
      << "bash scripts/install-gltf-validator.sh " << dir << " installs the validator (scripts/test.sh does)";
  for (const char* name : {"demo.gltf", "demo car #2 100%.gltf"}) {
    ScratchFolder out;
    const auto result = RunCli(
        {"export-gltf", "--exe", Exe(0).string(), "--patch-level", "0", Game(0).string(), (out / name).string()});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string report = (out / "report.json").string();
    const std::string validate = format("node '%s' '%s' '%s' > '%s'", TAVREL_GLTF_VALIDATE_SCRIPT, dir.c_str(),
                                        (out / name).c_str(), report.c_str());
    const int status = std::system(validate.c_str());
    std::ifstream in(report);
    const nlohmann::json issues = nlohmann::json::parse(in);
    EXPECT_EQ(status, 0) << name << issues.dump(1);
    EXPECT_EQ(issues["numErrors"], 0) << name << issues.dump(1);
    EXPECT_EQ(issues["numWarnings"], 0) << name << issues.dump(1);
  }
}

}  // namespace
}  // namespace tavrel::test
