// Element editing, selection and the camera record.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::ScriptedEditorHost;

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

TEST(Elements, PointEditorRoundTrip) {
  auto car = test::DecodedCar(Recipe());
  Vertex& point = car->m_Points[0];
  point.m_Index = 3;
  ScriptedEditorHost host;
  host.point = {1, 2, 3};
  point.Edit(host);
  ASSERT_EQ(host.pointsShown.size(), 1u);
  EXPECT_EQ(host.pointsShown[0].x, -100);  // stored x 100 is the model's -100
  EXPECT_EQ(host.pointsShown[0].z, 30);
  EXPECT_EQ(point.m_X, 1);
  EXPECT_EQ(point.m_Z, 3);
  ASSERT_EQ(host.labels.size(), 1u);
  EXPECT_EQ(host.labels[0].second, "v[3] 1 2 3 (u1=4)");

  host.confirm = false;
  host.point = {9, 9, 9};
  point.Edit(host);
  EXPECT_EQ(point.m_X, 1);
  EXPECT_EQ(host.labels.size(), 1u);
}

TEST(Elements, ConnectionEditorShowsStartEndAndFirstExtraWord) {
  auto car = test::DecodedCar(Recipe());
  ScriptedEditorHost host;
  host.point = {4, 2, 9};
  car->m_Connections[0].Edit(host);
  EXPECT_EQ(host.pointsShown.at(0).x, 0);
  EXPECT_EQ(host.pointsShown.at(0).y, 1);
  EXPECT_EQ(host.pointsShown.at(0).z, 5);
  EXPECT_EQ(host.labels.at(0).second, "v[1] 4 2  (u1=9 u2=6)");
}

TEST(Elements, DataValueEditorChangesTheValueButNotTheLabel) {
  auto car = test::DecodedCar(Recipe());
  ScriptedEditorHost host;
  host.dataValue = 65535;
  car->m_DataValues[0].Edit(host);
  EXPECT_EQ(host.dataValuesShown, std::vector<int>{7});
  EXPECT_EQ(car->m_DataValues[0].m_Value, 65535);
  EXPECT_TRUE(host.labels.empty());
}

TEST(Elements, CameraEditorTruncatesAnglesAndKeepsLow16Bits) {
  Camera camera;
  CameraRecord record;
  record.Direction = 1000;
  record.Roll = -16384;
  camera.SetRecord(record);
  ScriptedEditorHost host;
  host.camera = camera.Fields();
  host.camera.x = 70000;
  camera.Edit(host);
  EXPECT_EQ(host.camerasShown.at(0).direction, 5);
  EXPECT_EQ(host.camerasShown.at(0).roll, -90);
  EXPECT_EQ(camera.m_Record.Direction, 910);
  EXPECT_EQ(camera.m_Record.Roll, -16380);
  EXPECT_EQ(camera.m_Record.X, 4464);
  EXPECT_EQ(host.labels.at(0).second, "c[1] (4464,0,0) (D=5 P=0 R=-90) (0 0)");
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
