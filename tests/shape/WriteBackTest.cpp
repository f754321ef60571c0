#include <random>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::DecodedCar;
using test::RecordingMessages;

ShapeRecipe SmallRecipe() {
  ShapeRecipe recipe;
  recipe.points = {{100, 20, 30, 4}, {-3, 2, 7, 0}};
  recipe.connections = {{0, 1, 5, 6}};
  recipe.commands = {{0x01, 1, 0, 0}};
  recipe.dataValues = {1, 2, 3};
  return recipe;
}

// A full image with noise after the shape, so "unchanged" covers every byte.
std::unique_ptr<Car> NoisyCar(const ShapeRecipe& recipe) {
  auto car = std::make_unique<Car>();
  std::mt19937 random(7);
  for (auto& byte : car->m_Image) byte = static_cast<std::uint8_t>(random());
  const auto image = BuildShapeImage(recipe);
  std::copy(image.begin(), image.end(), car->m_Image.begin());
  RecordingMessages messages;
  car->Decode(recipe.tableOffset, messages);
  return car;
}

std::int64_t PointsOffset(const Car& car, int tableOffset) {
  return car.m_Header->OffsetOf(car.m_Header->pointsBegin, tableOffset);
}

TEST(WriteBack, WithoutEditsReproducesEveryByte) {
  for (int tableOffset : {94, 72, 78, 88}) {
    ShapeRecipe recipe = SmallRecipe();
    recipe.tableOffset = tableOffset;
    auto car = NoisyCar(recipe);
    const auto before = car->m_Image;
    car->WriteBack(tableOffset);
    EXPECT_EQ(car->m_Image, before) << tableOffset;
  }
}

TEST(WriteBack, StoresEditedPointsConnectionsAndDataValuesInPlace) {
  auto car = NoisyCar(SmallRecipe());
  const auto before = car->m_Image;
  car->m_Points[0].m_X = 10;
  car->m_Connections[0].m_From = 70000;
  car->m_DataValues[2].m_Value = 0xBEEF;
  car->WriteBack(94);

  const std::int64_t points = PointsOffset(*car, 94);
  const std::int64_t connections = points + 2 * 16 + 8;
  const std::int64_t values = car->m_Header->OffsetOf(car->m_Header->vertexEnd, 94);
  EXPECT_EQ(car->Read32(points), 0xFFFFFFF6u);  // -10: the model's x is negated
  EXPECT_EQ(car->Read16(connections), 0x1170);  // low 16 bits of 70000
  EXPECT_EQ(car->Read16(values + 4), 0xBEEF);
  std::size_t changed = 0;
  for (std::size_t i = 0; i < Car::kImageSize; ++i) changed += car->m_Image[i] != before[i];
  EXPECT_EQ(changed, 4u + 2u + 2u);  // nothing but the three edited values
}

TEST(WriteBack, WritesNothingForACarThatFailedOrNeverHadADecode) {
  Car fresh;
  fresh.m_Points.resize(1);
  fresh.m_PointCount = 1;
  fresh.WriteBack(94);
  EXPECT_TRUE(std::all_of(fresh.m_Image.begin(), fresh.m_Image.end(), [](std::uint8_t b) { return b == 0; }));

  auto car = NoisyCar(SmallRecipe());
  car->Write16(0, 0x8001);
  RecordingMessages messages;
  car->Decode(94, messages);
  const auto before = car->m_Image;
  car->m_Points[0].m_X = 999;
  car->WriteBack(94);
  EXPECT_EQ(car->m_Image, before);
}

TEST(WriteBack, StaysInsideTheImageForRegionsCutShortByTheDecoder) {
  auto car = NoisyCar(SmallRecipe());
  const ShapeHeader h = *car->m_Header;
  const std::int64_t end = static_cast<std::int64_t>(Car::kImageSize);
  const auto at = [&](std::int64_t offset) { return static_cast<std::int32_t>(h.scaleBegin + (offset - 94)); };
  car->Write32(16, at(end - 20));  // two points promised, one fits
  car->Write32(20, at(end + 20));
  RecordingMessages messages;
  car->Decode(94, messages);
  ASSERT_EQ(car->m_PointCount, 1);
  const auto before = car->m_Image;
  car->WriteBack(94);
  EXPECT_EQ(car->m_Image, before);
}

TEST(WriteBack, KeepsConnectionsInPlaceWhenThePointsStartBeforeTheImage) {
  auto car = NoisyCar(SmallRecipe());
  const ShapeHeader h = *car->m_Header;
  const auto at = [&](std::int64_t offset) { return static_cast<std::int32_t>(h.scaleBegin + (offset - 94)); };
  car->Write32(16, at(-24));  // two points from 24 bytes before the image: connections at 16
  car->Write32(20, at(8));
  RecordingMessages messages;
  car->Decode(94, messages);
  ASSERT_EQ(car->m_PointCount, 0);
  ASSERT_GT(car->m_ConnectionCount, 0);
  const auto before = car->m_Image;
  car->WriteBack(94);
  EXPECT_EQ(car->m_Image, before);
}

// Images the decode fuzzer found, kept as they were found.
TEST(WriteBack, FuzzerFindingsRoundTrip) {
  const std::vector<std::vector<std::uint8_t>> findings = {
      {0x02, 0x80, 0x32, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3b, 0xb4, 0xeb, 0xd4, 0xb5, 0x7f,
       0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x70, 0xfe, 0x00,
       0x00, 0x00, 0x00, 0x00, 0x00, 0xf0, 0xfe, 0xff, 0xff, 0xf4, 0xd0, 0x13, 0x13, 0x01},
  };
  for (const auto& finding : findings) {
    for (int tableOffset : {94, 72, 78, 88}) {
      auto car = std::make_unique<Car>();
      std::copy(finding.begin(), finding.end(), car->m_Image.begin());
      RecordingMessages messages;
      car->Decode(tableOffset, messages);
      const auto before = car->m_Image;
      car->WriteBack(tableOffset);
      EXPECT_EQ(car->m_Image, before) << tableOffset;
    }
  }
}

}  // namespace
}  // namespace tavrel
