// tavrel-cli frame: the first frame of a new car view as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "demo/ExeBuilder.h"
#include "shape/CameraFile.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using nlohmann::json;
using test::RunCli;

using test::InFolder;
using test::WriteText;

// Model points (0,0,0), (1000,0,0), (0,1000,0) in one triangle; the image stores x negated.
ShapeRecipe Triangle() {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {-1000, 0, 0, 0}, {0, 1000, 0, 0}};
  recipe.connections = {{0, 1, 0, 0}, {1, 2, 0, 0}, {2, 0, 0, 0}};
  recipe.commands = {{0x00, 1, 2, 3, 0}};
  return recipe;
}

std::vector<json> OfMode(const json& frame, const std::string& mode) {
  std::vector<json> found;
  for (const json& batch : frame["batches"])
    if (batch["mode"] == mode) found.push_back(batch);
  return found;
}

json Translation(const json& cylinder) {
  const json& m = cylinder["matrix"];
  return json::array({m[12], m[13], m[14]});
}

TEST(FrameCommand, DrawsAShapeFileWithTheWorkingFoldersMappingSettingsAndSelections) {
  ScratchFolder dir;
  test::WriteBytes(dir / "car.cs3", BuildShapeFile(Triangle()));
  WriteText(dir / "texture.cfg", "0,2,3,64,0,128,256,0,128\n");
  InFolder inside(dir.path());
  const auto result = RunCli({"frame", "car.cs3", "--set", "showTexture=1,showPointNumbers=1", "--select-point", "1",
                              "--select-command", "0", "--select-camera", "8"});
  ASSERT_EQ(result.status, 0) << result.err;
  const json frame = json::parse(result.out);

  const auto polygons = OfMode(frame, "polygon");
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0], json::parse(R"({"mode": "polygon", "size": 0, "texture": 2, "normal": [0, 0, -1000],
    "vertices": [[0, 0, 0, 1, 1, 0], [1000, 0, 0, 1, 1, 0], [0, 1000, 0, 1, 1, 0]],
    "uv": [[0.25, 1], [0.5, 0], [0, 0.5]], "overAll": false})"));
  // The selected command's start marker, then the selected point's.
  const auto lines = OfMode(frame, "lines");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1]["size"], 4);
  const auto points = OfMode(frame, "points");
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0]["vertices"], json::parse("[[1000, 0, 0, 1, 0, 0]]"));
  // The ninth camera, the tree's c[9], is the red one.
  const auto cylinders = OfMode(frame, "cylinder");
  ASSERT_EQ(cylinders.size(), 9u);
  EXPECT_EQ(cylinders[0]["color"], json::parse("[0, 1, 0]"));
  EXPECT_EQ(cylinders[8]["color"], json::parse("[1, 0, 0]"));
  EXPECT_EQ(frame["labels"], json::parse(R"([{"text": "0", "at": [0, 0, 0]}, {"text": "1", "at": [1000, 0, 0]},
    {"text": "2", "at": [0, 1000, 0]}])"));
}

TEST(FrameCommand, DrawsTheCarAndPartsOfAnExecutableWithItsCamerasOrAFilesOnes) {
  ScratchFolder dir;
  ASSERT_TRUE(BuildExe(dir / "zav.exe", SampleExeRecipe(1)));
  InFolder inside(dir.path());
  auto result = RunCli({"frame", "--exe", "zav.exe", "--patch-level", "1", "--set", "showCameras=1"});
  ASSERT_EQ(result.status, 0) << result.err;
  json frame = json::parse(result.out);
  // Car, helmet at car point 0 (100, 200, 300), cockpit, steering wheel; no
  // tyres on a car of three points.
  const auto polygons = OfMode(frame, "polygon");
  ASSERT_EQ(polygons.size(), 4u);
  EXPECT_EQ(polygons[1]["vertices"][0], json::parse("[202, 400, 600, 1, 0, 0]"));
  EXPECT_EQ(Translation(OfMode(frame, "cylinder")[0]), json::parse("[-80, 160, 240]"));

  Car car;
  CameraRecord record;
  record.X = 1;
  record.Z = 2;
  record.Y = 3;
  car.m_Cameras[0].SetRecord(record);
  // One record: the other cameras keep the executable's.
  const auto records = CameraFileBytes(car);
  test::WriteBytes(dir / "one.cam", std::vector<std::uint8_t>(records.begin(), records.begin() + CameraRecord::kSize));
  result = RunCli({"frame", "--exe", "zav.exe", "--patch-level", "1", "--cameras", "one.cam"});
  ASSERT_EQ(result.status, 0) << result.err;
  frame = json::parse(result.out);
  EXPECT_EQ(Translation(OfMode(frame, "cylinder")[0]), json::parse("[-8, 16, 24]"));
  EXPECT_EQ(Translation(OfMode(frame, "cylinder")[1]), json::parse("[-160, 320, 480]"));
}

TEST(FrameCommand, ACarTheImportDropsLeavesAnEmptyFrameAndFails) {
  ScratchFolder dir;
  ASSERT_TRUE(BuildExe(dir / "zav.exe", SampleExeRecipe(1)));
  const auto result = RunCli({"frame", "--exe", (dir / "zav.exe").string(), "--patch-level", "0"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(json::parse(result.out), json::parse(R"({"batches": [], "labels": []})"));
  EXPECT_NE(result.err.find("Bad magic number"), std::string::npos) << result.err;

  const auto selecting =
      RunCli({"frame", "--exe", (dir / "zav.exe").string(), "--patch-level", "0", "--select-point", "0"});
  EXPECT_EQ(selecting.status, 2);
  EXPECT_NE(selecting.err.find("No car to select in\n"), std::string::npos) << selecting.err;
  EXPECT_EQ(selecting.out, "");
}

TEST(FrameCommand, UsageErrorsSayWhatIsWrongAndPrintNoFrame) {
  ScratchFolder dir;
  test::WriteBytes(dir / "car.cs3", BuildShapeFile(Triangle()));
  const std::string car = (dir / "car.cs3").string();
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"frame", car, "--select-point", "3"}, "No point 3: the car has 3 points\n"},
      {{"frame", car, "--select-point", "-1"}, "No point -1: the car has 3 points\n"},
      {{"frame", car, "--select-command", "1"}, "No command 1: the car has 1 commands\n"},
      {{"frame", car, "--select-camera", "9"}, "No camera 9: the car has 9 cameras\n"},
      {{"frame", car, "--set", "showTyres=1,showWings=0"}, "Unknown display setting \"showWings\"\n"},
      {{"frame", car, "--set", "showTyres=yes"}, "Display setting showTyres takes 0 or 1, not \"yes\"\n"},
      {{"frame", car, "--exe", car, "--patch-level", "0"}, "Give either FILE or --exe\n"},
      {{"frame"}, "Give either FILE or --exe\n"},
      {{"frame", (dir / "none.cs3").string()}, "Cannot read " + (dir / "none.cs3").string() + "\n"},
      {{"frame", car, "--cameras", (dir / "none.cam").string()}, "Cannot read " + (dir / "none.cam").string() + "\n"},
  };
  for (const Case& c : cases) {
    const auto result = RunCli(c.args);
    EXPECT_EQ(result.status, 2) << c.error;
    EXPECT_EQ(result.err, c.error);
    EXPECT_EQ(result.out, "") << c.error;
  }
  EXPECT_EQ(RunCli({"frame", "--exe", car}).status, 2);  // --patch-level missing
}

}  // namespace
}  // namespace tavrel
