#include <gtest/gtest.h>

#include "shape/ShapeFile.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::ReadBytes;
using test::RecordingMessages;
using test::WriteBytes;

ShapeRecipe CarRecipe() {
  ShapeRecipe recipe;
  recipe.points = {{5, 1, 0, 0}, {-3, 2, 7, 0}};
  recipe.connections = {{0, 1, 0, 0}};
  recipe.commands = {{0x01, 1, 0, 0}};
  return recipe;
}

TEST(ShapeFile, ShortFileLoadsWithZerosBehindAndSavesWhole) {
  test::TempDir dir;
  const auto image = BuildShapeImage(CarRecipe());
  WriteBytes(dir / "short.cs3", image);
  RecordingMessages messages;
  auto car = LoadShapeFile(dir / "short.cs3", messages);
  ASSERT_TRUE(car);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(car->GetName(), (dir / "short.cs3").string());
  EXPECT_EQ(car->m_PointCount, 2);
  EXPECT_EQ(car->m_Points[0].m_X, -5);
  EXPECT_FALSE(car->m_Wheel || car->m_Helmet || car->m_Cockpit || car->m_SteeringWheel);

  ASSERT_TRUE(car->SaveShapeFile(dir / "saved.cs3", messages));
  const auto saved = ReadBytes(dir / "saved.cs3");
  ASSERT_EQ(saved.size(), Car::kImageSize);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), saved.begin()));
  EXPECT_TRUE(std::all_of(saved.begin() + static_cast<long>(image.size()), saved.end(), [](auto b) { return b == 0; }));

  auto again = LoadShapeFile(dir / "saved.cs3", messages);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->m_Image, car->m_Image);
}

TEST(ShapeFile, BadMagicGivesACarWithoutElementsAfterTheMessage) {
  test::TempDir dir;
  auto image = BuildShapeImage(CarRecipe());
  image[0] = 0x01;
  WriteBytes(dir / "bad.cs3", image);
  RecordingMessages messages;
  auto car = LoadShapeFile(dir / "bad.cs3", messages);
  ASSERT_TRUE(car);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Bad magic number ffff8001 in the shape image"});
  EXPECT_EQ(car->m_Valid, 0);
  EXPECT_EQ(car->m_PointCount, 0);
  EXPECT_TRUE(car->m_Points.empty());
}

TEST(ShapeFile, MissingFileGivesNoCarAndNoMessage) {
  test::TempDir dir;
  RecordingMessages messages;
  EXPECT_FALSE(LoadShapeFile(dir / "none.cs3", messages));
  EXPECT_FALSE(LoadShapeFile(dir.path(), messages));  // a folder is no shape file
  EXPECT_TRUE(messages.shown.empty());
}

TEST(ShapeFile, FileLongerThanAnImageIsRefused) {
  test::TempDir dir;
  auto image = BuildShapeImage(CarRecipe());
  image.resize(Car::kImageSize + 1);
  WriteBytes(dir / "long.cs3", image);
  RecordingMessages messages;
  EXPECT_FALSE(LoadShapeFile(dir / "long.cs3", messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("133952"), std::string::npos);
}

TEST(ShapeFile, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
  test::TempDir dir;
  RecordingMessages messages;
  Car car;
  const auto path = dir / "no-such-folder" / "x.cs3";
  EXPECT_FALSE(car.SaveShapeFile(path, messages));
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"Cannot open file for writing: " + path.string() + " (No such file or directory)"});
}

}  // namespace
}  // namespace tavrel
