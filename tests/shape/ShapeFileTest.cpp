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

TEST(ShapeFile, AWholeImageLoadsAndSavesByteForByte) {
  ScratchFolder dir;
  const auto image = BuildShapeFile(CarRecipe());
  WriteBytes(dir / "car.cs3", image);
  RecordingMessages messages;
  auto car = LoadShapeFile(dir / "car.cs3", messages);
  ASSERT_TRUE(car);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(car->GetName(), (dir / "car.cs3").string());
  EXPECT_EQ(car->m_PointCount, 2);
  EXPECT_EQ(car->m_Points[0].m_X, -5);
  EXPECT_FALSE(car->m_Wheel || car->m_Helmet || car->m_Cockpit || car->m_SteeringWheel);

  ASSERT_TRUE(car->SaveShapeFile(dir / "saved.cs3", messages));
  EXPECT_EQ(ReadBytes(dir / "saved.cs3"), image);
}

// A file cut short (or another kind's file) would give a shape half made of
// zeros, which a later save or patch would write out as the player's car.
TEST(ShapeFile, AFileOfAnotherLengthThanItsKindsIsRefusedNamingBothLengths) {
  ScratchFolder dir;
  struct Case {
    std::size_t size;
    ShapeKind kind;
    const char* what;
    std::size_t length;
  };
  const Case cases[] = {
      {500, ShapeKind::Car, "a car shape file", Car::kImageSize},
      {0, ShapeKind::Car, "a car shape file", Car::kImageSize},
      {Car::kImageSize + 1, ShapeKind::Car, "a car shape file", Car::kImageSize},
      {7764, ShapeKind::Car, "a car shape file", Car::kImageSize},
      {Car::kImageSize, ShapeKind::Helmet, "a Helmet part file", 7764},
      {495, ShapeKind::SteeringWheel, "a Steering Wheel part file", 496},
  };
  for (const Case& c : cases) {
    auto bytes = BuildShapeImage(CarRecipe());
    bytes.resize(c.size);
    const auto path = dir / "file";
    WriteBytes(path, bytes);
    RecordingMessages messages;
    EXPECT_FALSE(LoadShapeFile(path, messages, c.kind));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"\"" + path.string() + "\" is " + std::to_string(c.size) + " bytes long, but " +
                                       c.what + " is " + std::to_string(c.length) + " bytes long, so it was not read"});
  }
}

TEST(ShapeFile, BadMagicGivesACarWithoutElementsAfterTheMessage) {
  ScratchFolder dir;
  auto image = BuildShapeFile(CarRecipe());
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
  ScratchFolder dir;
  RecordingMessages messages;
  EXPECT_FALSE(LoadShapeFile(dir / "none.cs3", messages));
  EXPECT_FALSE(LoadShapeFile(dir.path(), messages));  // a folder is no shape file
  EXPECT_TRUE(messages.shown.empty());
}

TEST(ShapeFile, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
  ScratchFolder dir;
  RecordingMessages messages;
  Car car;
  const auto path = dir / "no-such-folder" / "x.cs3";
  EXPECT_FALSE(car.SaveShapeFile(path, messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Cannot open file for writing: " + path.string() +
                                                       " (No such file or directory)"});
}

}  // namespace
}  // namespace tavrel
