#include <gtest/gtest.h>

#include "shape/ShapeFile.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

void writeText(const std::filesystem::path& path, const std::string& text) {
  test::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string readText(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

// A car shape file with points (image x 5 and -3, y 1 and 2, z 0 and 7) and one
// connection 0 to 1.
class TransferCommands : public ::testing::Test {
 protected:
  TransferCommands() {
    ShapeRecipe recipe;
    recipe.points = {{5, 1, 0, 9}, {-3, 2, 7, 9}};
    recipe.connections = {{0, 1, 4, 4}};
    recipe.dataValues = {77};
    test::WriteBytes(car(), BuildShapeFile(recipe));
  }
  std::filesystem::path car() const { return directory / "car.cs3"; }

  ScratchFolder directory;
};

TEST_F(TransferCommands, ExportCtf) {
  const auto result = test::RunCli({"export-ctf", car().string(), (directory / "car.ctf").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(readText(directory / "car.ctf"), "2\n-5 1 0\n3 2 7\n1\n0 1\n");
}

TEST_F(TransferCommands, ExportObj) {
  const auto result = test::RunCli({"export-obj", car().string(), (directory / "car.obj").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(readText(directory / "car.obj"), "v -5.000000 1.000000 0.000000\nv 3.000000 2.000000 7.000000\nf 1 2 1\n");
}

TEST_F(TransferCommands, ImportCtfSavesTheCarWithTheNewGeometry) {
  writeText(directory / "new.ctf", "2 -50 10 0 30 20 70 1 1 0");
  const auto result =
      test::RunCli({"import-ctf", car().string(), (directory / "new.ctf").string(), (directory / "out.cs3").string()});
  ASSERT_EQ(result.status, 0) << result.err;

  std::vector<std::uint8_t> expected = test::ReadBytes(car());
  test::RecordingMessages messages;
  auto original = LoadShapeFile(car(), messages);
  original->m_Points[0].m_X = -50;
  original->m_Points[0].m_Y = 10;
  original->m_Points[1].m_X = 30;
  original->m_Points[1].m_Y = 20;
  original->m_Points[1].m_Z = 70;
  original->m_Connections[0].m_From = 1;
  original->m_Connections[0].m_To = 0;
  original->WriteBack(94);
  expected.assign(original->m_Image.begin(), original->m_Image.end());
  EXPECT_EQ(test::ReadBytes(directory / "out.cs3"), expected);
}

TEST_F(TransferCommands, ImportWithAnotherConnectionCountSavesThePointsAndFails) {
  writeText(directory / "new.ctf", "2\n1 2 3\n4 5 6\n2\n0 1\n1 0\n");
  const auto result =
      test::RunCli({"import-ctf", car().string(), (directory / "new.ctf").string(), (directory / "out.cs3").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Not the right number of Connections\n");
  test::RecordingMessages messages;
  auto saved = LoadShapeFile(directory / "out.cs3", messages);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->m_Points[1].m_X, 4);
  EXPECT_EQ(saved->m_Points[1].m_Z, 6);
  EXPECT_EQ(saved->m_Connections[0].m_From, 0);
  EXPECT_EQ(saved->m_Connections[0].m_To, 1);
}

TEST_F(TransferCommands, RefusedImportsWriteNothing) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"3\n", "Not the right number of Verticies\n"},
      {"2\n1 2 3\n4 5\n", "The transfer file " + (directory / "new.ctf").string() +
                              " ends before all its numbers were read; the car was not changed.\n"},
  };
  for (const auto& [text, message] : cases) {
    writeText(directory / "new.ctf", text);
    const auto result = test::RunCli(
        {"import-ctf", car().string(), (directory / "new.ctf").string(), (directory / "out.cs3").string()});
    EXPECT_EQ(result.status, 1) << text;
    EXPECT_EQ(result.err, message);
    EXPECT_FALSE(std::filesystem::exists(directory / "out.cs3")) << text;
  }
}

// Out to a modeller and back: only the points change, every other byte stays.
TEST_F(TransferCommands, ImportObjTakesThePointsAndKeepsEveryOtherByte) {
  writeText(directory / "edited.obj", "o car\nv -50.4 10 0\nv 30 19.6 70\nf 1 2 1\n");
  const auto result = test::RunCli(
      {"import-obj", car().string(), (directory / "edited.obj").string(), (directory / "out.cs3").string()});
  ASSERT_EQ(result.status, 0) << result.err;

  test::RecordingMessages messages;
  auto expected = LoadShapeFile(car(), messages);
  expected->m_Points[0].m_X = -50;
  expected->m_Points[0].m_Y = 10;
  expected->m_Points[1].m_X = 30;
  expected->m_Points[1].m_Y = 20;
  expected->m_Points[1].m_Z = 70;
  expected->WriteBack(94);
  EXPECT_EQ(test::ReadBytes(directory / "out.cs3"),
            std::vector<std::uint8_t>(expected->m_Image.begin(), expected->m_Image.end()));

  // What export-obj writes comes back as the same file.
  ASSERT_EQ(test::RunCli({"export-obj", car().string(), (directory / "car.obj").string()}).status, 0);
  ASSERT_EQ(
      test::RunCli({"import-obj", car().string(), (directory / "car.obj").string(), (directory / "same.cs3").string()})
          .status,
      0);
  EXPECT_EQ(test::ReadBytes(directory / "same.cs3"), test::ReadBytes(car()));

  // A part goes out and back the same way, read at its own table offset.
  ShapeRecipe helmet;
  helmet.tableOffset = tableOffset(ShapeKind::Helmet);
  helmet.points = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  helmet.connections = {{0, 2, 0, 0}};
  test::WriteBytes(directory / "helmet.ch3", BuildShapeFile(helmet, ShapeKind::Helmet));
  for (const char* command : {"export-obj", "import-obj"}) {
    std::vector<std::string> arguments{command, (directory / "helmet.ch3").string(),
                                       (directory / "helmet.obj").string()};
    if (command == std::string("import-obj")) arguments.push_back((directory / "same.ch3").string());
    arguments.insert(arguments.end(), {"--kind", "helmet"});
    const auto run = test::RunCli(arguments);
    ASSERT_EQ(run.status, 0) << command << ": " << run.err;
  }
  const std::string text = readText(directory / "helmet.obj");
  EXPECT_NE(text.find("f 1 3 1\nl 2 2\n"), std::string::npos) << text;
  EXPECT_EQ(test::ReadBytes(directory / "same.ch3"), test::ReadBytes(directory / "helmet.ch3"));
}

TEST_F(TransferCommands, RefusedObjImportsWriteNothing) {
  const std::string edited = (directory / "edited.obj").string();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"v 1 2 3\n", edited + " has 1 vertices, but the shape has 2 points; nothing was changed.\n"},
      {"v 1 2 3\nv 1 2\n", edited + ": line 2 is not a vertex of three coordinates; nothing was changed.\n"},
  };
  for (const auto& [text, message] : cases) {
    writeText(directory / "edited.obj", text);
    const auto result = test::RunCli({"import-obj", car().string(), edited, (directory / "out.cs3").string()});
    EXPECT_EQ(result.status, 1) << text;
    EXPECT_EQ(result.err, message);
    EXPECT_FALSE(std::filesystem::exists(directory / "out.cs3")) << text;
  }
}

TEST_F(TransferCommands, StatusesOfUnreadableInputsAndFailedWrites) {
  writeText(directory / "bad.cs3", std::string(100, 'x'));
  const std::string out = (directory / "out").string();
  const std::string unwritable = (directory / "missing" / "out").string();
  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{"export-ctf", car().string()}, 2},
      {{"export-ctf", (directory / "none.cs3").string(), out}, 2},
      {{"export-obj", (directory / "none.cs3").string(), out}, 2},
      {{"import-ctf", car().string(), (directory / "none.ctf").string(), out}, 2},
      {{"export-ctf", (directory / "bad.cs3").string(), out}, 1},
      {{"export-ctf", car().string(), unwritable}, 1},
      {{"export-obj", car().string(), unwritable}, 1},
      {{"export-obj", "--help"}, 0},
  };
  for (const auto& [args, status] : cases) {
    const auto result = test::RunCli(args);
    EXPECT_EQ(result.status, status) << args[0] << " " << args[1] << "\n" << result.err;
    if (status == 1) {
      EXPECT_FALSE(result.err.empty()) << args[0];
    }
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace tavrel
