#include "shape/ObjExport.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tavrel {
namespace {

std::string readText(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::string exported(const Car& car) {
  ScratchFolder directory;
  test::RecordingMessages messages;
  EXPECT_TRUE(ExportObj(directory / "car.obj", car, messages));
  EXPECT_TRUE(messages.shown.empty());
  return readText(directory / "car.obj");
}

TEST(ObjExport, WritesVerticesThenAFacePerConnection) {
  ShapeRecipe recipe;
  recipe.points = {{100, 20, 30, 0}, {-5, 0, -7, 0}};
  recipe.connections = {{0, 1, 0, 0}};
  EXPECT_EQ(exported(*test::DecodedCar(recipe)),
            "v -100.000000 20.000000 30.000000\n"
            "v 5.000000 0.000000 -7.000000\n"
            "f 1 2 1\n");
}

TEST(ObjExport, EveryConnectionBecomesAFace) {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {-1, 0, 0, 0}, {-2, -2147483647, 2147483647, 0}};
  recipe.connections = {{0, 1, 0, 0}, {1, 2, 0, 0}, {2, 0, 0, 0}, {0, 2, 0, 0}, {65535, 1, 0, 0}};
  EXPECT_EQ(exported(*test::DecodedCar(recipe)),
            "v 0.000000 0.000000 0.000000\n"
            "v 1.000000 0.000000 0.000000\n"
            "v 2.000000 -2147483647.000000 2147483647.000000\n"
            "f 1 2 1\nf 2 3 2\nf 3 1 3\nf 1 3 1\nf 65536 2 65536\n");
}

// A modeller keeps a vertex only when something uses it; the connection to a
// point the car does not have (65535) marks none.
TEST(ObjExport, APointNoConnectionUsesGetsALineOfItsOwnAfterTheFaces) {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {1, 0, 0, 0}, {2, 0, 0, 0}, {3, 0, 0, 0}};
  recipe.connections = {{1, 2, 0, 0}, {65535, 1, 0, 0}};
  const std::string text = exported(*test::DecodedCar(recipe));
  EXPECT_EQ(text.substr(text.find("f ")), "f 2 3 2\nf 65536 2 65536\nl 1 1\nl 4 4\n");
}

TEST(ObjExport, CarWithoutPointsGivesAnEmptyFile) { EXPECT_EQ(exported(*test::DecodedCar(ShapeRecipe{})), ""); }

TEST(ObjExport, FileThatCannotBeCreatedIsReported) {
  ScratchFolder directory;
  const std::filesystem::path path = directory / "missing" / "car.obj";
  test::RecordingMessages messages;
  EXPECT_FALSE(ExportObj(path, Car{}, messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Cannot create the WaveFront file: " + path.string() +
                                                       " (No such file or directory)"});
}

TEST(ObjExport, DialogData) {
  EXPECT_EQ(kObjFileKind.defaultName, "*.obj");
  EXPECT_EQ(kObjFileKind.extension, "obj");
  EXPECT_EQ(kObjFileKind.filter, "WaveFront Object Files (*.obj)|*.obj|All Files (*.*)|*.*|");
}

}  // namespace
}  // namespace tavrel
