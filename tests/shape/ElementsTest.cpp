// Element editing, selection and the camera record.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tavrel {
namespace {

ShapeRecipe Recipe() {
  ShapeRecipe recipe;
  recipe.points = {{100, 20, 30, 4}, {0, 0, 0, 0}};
  recipe.connections = {{0, 1, 5, 6}};
  recipe.commands = {{0x01, 1, 0, 0}};
  recipe.dataValues = {7};
  return recipe;
}

TEST(Elements, ANewCarIsEmpty) {
  Car car;
  EXPECT_EQ(car.m_PointCount + car.m_ConnectionCount + car.m_CommandCount + car.m_DataValueCount, 0);
  EXPECT_TRUE(std::all_of(car.m_Cameras.begin(), car.m_Cameras.end(), [](const Camera& c) { return c.m_Loaded == 0; }));
  EXPECT_FALSE(car.m_Wheel || car.m_Helmet || car.m_Cockpit || car.m_SteeringWheel);
  EXPECT_EQ(car.m_Valid, 0);
  EXPECT_FALSE(car.m_Header.has_value());
}

TEST(Elements, DegreeConversion) {
  EXPECT_EQ(ToDegrees(16384), 90);
  EXPECT_EQ(ToDegrees(-16384), -90);
  EXPECT_EQ(ToDegrees(1000), 5);
  EXPECT_EQ(FromDegrees(5), 910);
  EXPECT_EQ(FromDegrees(90), 16380);
  EXPECT_EQ(FromDegrees(200), -29136);
  EXPECT_EQ(FromDegrees(360), static_cast<std::int16_t>(65520));
}

TEST(Elements, CameraRecordStoresZBeforeY) {
  std::array<std::uint8_t, CameraRecord::kSize> bytes{0x10, 0, 0x20, 0, 0x30, 0, 0x00, 0x40};
  const CameraRecord record = CameraRecord::FromBytes(bytes);
  EXPECT_EQ(record.X, 16);
  EXPECT_EQ(record.Z, 32);
  EXPECT_EQ(record.Y, 48);
  EXPECT_EQ(record.Direction, 16384);
  EXPECT_EQ(record.ToBytes(), bytes);
}

// The editor gives degrees: an angle left as shown keeps its raw value, a changed one is converted.
TEST(Elements, CameraFieldsKeepTheRawAngleOfAnUnchangedDegree) {
  Camera camera;
  CameraRecord record;
  record.Direction = 1000;  // 5 degrees, shown truncated
  record.Pitch = -1000;
  record.Roll = 1000;
  camera.SetRecord(record);
  CameraFields fields = camera.Fields();
  fields.pitch = -6;
  fields.x = 7;
  camera.SetFields(fields);
  EXPECT_EQ(camera.m_Record.Direction, 1000);
  EXPECT_EQ(camera.m_Record.Roll, 1000);
  EXPECT_EQ(camera.m_Record.Pitch, -6 * 182);
  EXPECT_EQ(camera.m_Record.X, 7);
}

TEST(Elements, SelectionFollowsTheTreePanelsClearThenSelect) {
  auto car = test::DecodedCar(Recipe());
  car->m_Cameras[4].m_Owner = car.get();
  car->m_Cameras[4].Select();
  car->m_Commands[0].Select();
  EXPECT_EQ(car->m_SelectedCommand, &car->m_Commands[0]);
  car->ClearSelection();
  car->m_Points[1].Select();
  EXPECT_EQ(car->m_SelectedPoint, &car->m_Points[1]);
  EXPECT_EQ(car->m_SelectedCommand, nullptr);
  EXPECT_EQ(car->m_SelectedCamera, &car->m_Cameras[4]);
  car->m_Connections[0].Select();
  EXPECT_EQ(car->m_SelectedConnection, &car->m_Connections[0]);
}

}  // namespace
}  // namespace tavrel
