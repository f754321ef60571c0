#include "shape/TransferFile.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tavrel {
namespace {

// Points (image x 5 and -3, y 1 and 2, z 0 and 7) and one connection 0 to 1,
// with extra words the format does not carry.
ShapeRecipe twoPointRecipe() {
  ShapeRecipe recipe;
  recipe.points = {{5, 1, 0, 11}, {-3, 2, 7, 12}};
  recipe.connections = {{0, 1, 13, 14}};
  return recipe;
}

// The values a transfer file can change, and the ones it must not.
struct Geometry {
  std::vector<std::array<std::int32_t, 4>> points;
  std::vector<std::array<std::int32_t, 4>> connections;
  bool operator==(const Geometry&) const = default;
};

Geometry geometryOf(const Car& car) {
  Geometry geometry;
  for (int i = 0; i < car.m_PointCount; ++i) {
    const Vertex& p = car.m_Points[static_cast<std::size_t>(i)];
    geometry.points.push_back({p.m_X, p.m_Y, p.m_Z, p.m_U1});
  }
  for (int i = 0; i < car.m_ConnectionCount; ++i) {
    const Point3D& c = car.m_Connections[static_cast<std::size_t>(i)];
    geometry.connections.push_back({c.m_From, c.m_To, c.m_U1, c.m_U2});
  }
  return geometry;
}

void writeText(const std::filesystem::path& path, const std::string& text) {
  test::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string readText(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

TEST(TransferFile, ExportWritesCountsPointsAndConnections) {
  ScratchFolder directory;
  auto car = test::DecodedCar(twoPointRecipe());
  test::RecordingMessages messages;
  ASSERT_TRUE(ExportCtf(directory / "car.ctf", *car, messages));
  EXPECT_EQ(readText(directory / "car.ctf"), "2\n-5 1 0\n3 2 7\n1\n0 1\n");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(TransferFile, ExportThenImportRestoresTheGeometry) {
  ScratchFolder directory;
  ShapeRecipe recipe = twoPointRecipe();
  recipe.points.push_back({INT32_MAX, INT32_MIN + 1, -40000, 0});
  recipe.connections.push_back({65535, 2, 0, 0});
  auto car = test::DecodedCar(recipe);
  const Geometry original = geometryOf(*car);
  test::RecordingMessages messages;
  ASSERT_TRUE(ExportCtf(directory / "car.ctf", *car, messages));

  for (Vertex& point : car->m_Points) point.m_Y += 1;
  car->m_Connections[0].m_To = 2;
  EXPECT_EQ(ImportCtf(directory / "car.ctf", *car, messages), CtfImport::Imported);
  EXPECT_EQ(geometryOf(*car), original);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(TransferFile, ImportReadsNumbersWhateverTheWhiteSpace) {
  ScratchFolder directory;
  auto car = test::DecodedCar(twoPointRecipe());
  writeText(directory / "car.ctf", " 2 -50\t10 0 30 +20 70\r\n 1 1 0 and notes after the last number");
  test::RecordingMessages messages;
  EXPECT_EQ(ImportCtf(directory / "car.ctf", *car, messages), CtfImport::Imported);
  EXPECT_EQ(geometryOf(*car), (Geometry{{{-50, 10, 0, 11}, {30, 20, 70, 12}}, {{1, 0, 13, 14}}}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(TransferFile, WrongPointCountChangesNothing) {
  ScratchFolder directory;
  auto car = test::DecodedCar(twoPointRecipe());
  const Geometry original = geometryOf(*car);
  writeText(directory / "car.ctf", "3\n1 1 1\n2 2 2\n3 3 3\n1\n0 1\n");
  test::RecordingMessages messages;
  EXPECT_EQ(ImportCtf(directory / "car.ctf", *car, messages), CtfImport::Refused);
  EXPECT_EQ(geometryOf(*car), original);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Not the right number of Verticies"});
}

TEST(TransferFile, WrongConnectionCountChangesThePointsOnly) {
  ScratchFolder directory;
  auto car = test::DecodedCar(twoPointRecipe());
  writeText(directory / "car.ctf", "2\n1 2 3\n4 5 6\n2\n1 0\n0 1\n");
  test::RecordingMessages messages;
  EXPECT_EQ(ImportCtf(directory / "car.ctf", *car, messages), CtfImport::PointsOnly);
  EXPECT_EQ(geometryOf(*car), (Geometry{{{1, 2, 3, 11}, {4, 5, 6, 12}}, {{0, 1, 13, 14}}}));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Not the right number of Connections"});
  EXPECT_EQ(messages.shown[0].icon, Icon::Plain);
}

TEST(TransferFile, RefusesShortOrMalformedFilesBeforeChangingAnything) {
  ScratchFolder directory;
  const std::string name = (directory / "car.ctf").string();
  const std::string notChanged = "; the car was not changed.";
  const std::string endsEarly = "The transfer file " + name + " ends before all its numbers were read" + notChanged;
  const auto notANumber = [&](int line) {
    return "The transfer file " + name + " holds something other than a number at line " + std::to_string(line) +
           notChanged;
  };
  const auto badEnd = [&](int connection) {
    return "Connection v[" + std::to_string(connection) + "] of the transfer file " + name +
           " names a point outside 0 to 65535" + notChanged;
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", endsEarly},
      {"  \n\t", endsEarly},
      {"2\n1 2 3\n4 5", endsEarly},
      {"2\n1 2 3\n4 5 6\n", endsEarly},
      {"2\n1 2 3\n4 5 6\n1\n0", endsEarly},
      {"two\n", notANumber(1)},
      {"2\n1 2 3\n4 x 6\n1\n0 1\n", notANumber(3)},
      {"2\n1 2 3\n4 5 6abc\n1\n0 1\n", notANumber(3)},
      {"2\n1 2 3\n4 5 6\n1\n0 1.5\n", notANumber(5)},
      {"2\n1 2 3\n4 5 2147483648\n1\n0 1\n", notANumber(3)},
      {"2\n1 2 3\n4 5 6\n1\n0 -\n", notANumber(5)},
      {std::string("2\n1 2 3\n4 5\0 6\n1\n0 1\n", 19), notANumber(3)},
      {"2\n1 2 3\n4 5 6\n1\n0 -1\n", badEnd(1)},
      {"2\n1 2 3\n4 5 6\n1\n65536 1\n", badEnd(1)},
  };
  for (const auto& [text, message] : cases) {
    auto car = test::DecodedCar(twoPointRecipe());
    const Geometry original = geometryOf(*car);
    writeText(directory / "car.ctf", text);
    test::RecordingMessages messages;
    EXPECT_EQ(ImportCtf(directory / "car.ctf", *car, messages), CtfImport::Refused) << text;
    EXPECT_EQ(geometryOf(*car), original) << text;
    EXPECT_EQ(messages.texts(), std::vector<std::string>{message}) << text;
  }
}

TEST(TransferFile, UnusableFilesAreReported) {
  ScratchFolder directory;
  auto car = test::DecodedCar(twoPointRecipe());
  const std::filesystem::path missing = directory / "missing" / "car.ctf";
  test::RecordingMessages messages;
  EXPECT_FALSE(ExportCtf(missing, *car, messages));
  EXPECT_EQ(ImportCtf(missing, *car, messages), CtfImport::Refused);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Cannot create the transfer file: " + missing.string() +
                                                            " (No such file or directory)",
                                                        "Cannot open the transfer file " + missing.string()}));
  EXPECT_FALSE(std::filesystem::exists(directory / "car.ctf"));
}

TEST(TransferFile, DialogData) {
  EXPECT_EQ(kTransferFileKind.defaultName, "unnamed.ctf");
  EXPECT_EQ(kTransferFileKind.extension, "ctf");
  EXPECT_EQ(kTransferFileKind.filter, "Zav Car Transfer Format Files (*.ctf)|*.ctf|All Files (*.*)|*.*|");
}

}  // namespace
}  // namespace tavrel
