#include "shape/Outline.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "textures/CarMappingTable.h"

namespace tavrel {
namespace {

using test::DecodedCar;

std::vector<std::string> ChildTexts(OutlineNode& node) {
  std::vector<std::string> texts;
  for (const auto& child : node.Children()) texts.push_back(child->text);
  return texts;
}

std::vector<int> ChildImages(OutlineNode& node) {
  std::vector<int> images;
  for (const auto& child : node.Children()) images.push_back(child->image);
  return images;
}

// 2 points, 1 connection, 1 command, 10 data values.
ShapeRecipe SmallCar() {
  ShapeRecipe recipe;
  recipe.points = {{5, 6, 7, 8}, {-1, 2, 3, 4}};
  recipe.connections = {{0, 1, 0, 0}};
  recipe.commands = {{1, 3, 4, 5, 0}};
  recipe.dataValues = {12, 34, 56, 1, 2, 3, 4, 5, 6, 7};
  return recipe;
}

TEST(Outline, SmallCarHasItsGroupsLinesAndCameras) {
  auto car = DecodedCar(SmallCar());
  car->SetName("small.cs3");
  OutlineNode top("All Cars", 0);
  OutlineNode& carItem = BuildOutline(top, *car, 0, CarMappingTable{});

  EXPECT_EQ(carItem.text, "Car:small.cs3");
  EXPECT_EQ(car->m_RootItem, &carItem);
  EXPECT_EQ(ChildTexts(carItem),
            (std::vector<std::string>{"Verticies 2", "Connections 1", "TextureData 1", "UnkData 10", "Cameras 9"}));
  EXPECT_EQ(ChildImages(carItem), (std::vector<int>{1, 2, 3, 1, 5}));

  EXPECT_EQ(ChildTexts(carItem.Child(0)), (std::vector<std::string>{"p[0] -5 6 7 (U1=8)", "p[1] 1 2 3 (U1=4)"}));
  EXPECT_EQ(ChildTexts(carItem.Child(1)), (std::vector<std::string>{"v[1] 0-> 1  (U1=0 U2=0)"}));

  OutlineNode& command = carItem.Child(2).Child(0);
  EXPECT_EQ(command.text, "[0] 0 (0x1) Args=3 4 5 0 ");
  EXPECT_EQ(ChildTexts(command), (std::vector<std::string>{"Verticies=3 4 5 "}));
  EXPECT_EQ(command.Child(0).image, 3);
  EXPECT_EQ(command.Child(0).element, nullptr);

  EXPECT_EQ(ChildTexts(carItem.Child(3)), (std::vector<std::string>{"u[0]12 34 56 1 2 3 4 5 ", "u[8]6 7 "}));

  OutlineNode& cameras = carItem.Child(4);
  ASSERT_EQ(cameras.ChildCount(), 9u);
  EXPECT_EQ(cameras.Child(0).text, "c[1] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)");
  EXPECT_EQ(cameras.Child(8).text, "c[9] (0,0,0) (D=0 P=0 R=0) (0 0) (0 0)");
}

TEST(Outline, EveryListedElementKnowsItsItemAndPosition) {
  auto car = DecodedCar(SmallCar());
  OutlineNode top("All Cars", 0);
  OutlineNode& carItem = BuildOutline(top, *car, 0, CarMappingTable{});

  for (int i = 0; i < 2; ++i) {
    const Vertex& point = car->m_Points[static_cast<std::size_t>(i)];
    EXPECT_EQ(point.m_TreeItem, &carItem.Child(0).Child(static_cast<std::size_t>(i)));
    EXPECT_EQ(point.m_TreeItem->element, &point);
    EXPECT_EQ(point.m_Index, i);
  }
  EXPECT_EQ(car->m_Connections[0].m_TreeItem->element, &car->m_Connections[0]);
  EXPECT_EQ(car->m_Commands[0].m_TreeItem, &carItem.Child(2).Child(0));
  EXPECT_EQ(car->m_Commands[0].m_TreeItem->element, &car->m_Commands[0]);

  // Only the first value of each line gets the line; the line carries it.
  OutlineNode& values = carItem.Child(3);
  EXPECT_EQ(car->m_DataValues[0].m_TreeItem, &values.Child(0));
  EXPECT_EQ(values.Child(0).element, &car->m_DataValues[0]);
  EXPECT_EQ(car->m_DataValues[8].m_TreeItem, &values.Child(1));
  EXPECT_EQ(car->m_DataValues[8].m_Index, 8);
  EXPECT_EQ(values.Child(1).element, &car->m_DataValues[8]);
  EXPECT_EQ(car->m_DataValues[1].m_TreeItem, nullptr);

  for (int i = 0; i < Car::kCameraCount; ++i) {
    const Camera& camera = car->m_Cameras[static_cast<std::size_t>(i)];
    EXPECT_EQ(camera.m_TreeItem, &carItem.Child(4).Child(static_cast<std::size_t>(i)));
    EXPECT_EQ(camera.m_Index, i);
  }
  // Group items stand for no element.
  for (const auto& group : carItem.Children()) EXPECT_EQ(group->element, nullptr);
  EXPECT_EQ(carItem.element, nullptr);
}

TEST(Outline, ArgumentWordsAndIndexEntriesShowAsSigned16Bit) {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {0, 0, 0, 0}};
  recipe.connections = {{0, 1, 0, 0}, {1, 0, 0, 0}};
  recipe.commands = {{1, 0xFFFE, 2, 0x8000, 0}};
  auto car = DecodedCar(recipe);
  OutlineNode top("All Cars", 0);
  OutlineNode& command = BuildOutline(top, *car, 0, CarMappingTable{}).Child(2).Child(0);
  EXPECT_EQ(command.text, "[0] 0 (0x1) Args=-2 2 -32768 0 ");
  EXPECT_EQ(command.Child(0).text, "Verticies=-2 2 -32768 ");
}

TEST(Outline, CamerasShowTheirRecordAndDegrees) {
  Car car;
  CameraRecord record;
  record.X = -10;
  record.Y = 20;
  record.Z = 30;
  record.Direction = 182 * 90;
  record.Pitch = -182 * 5;
  record.Roll = 182;
  record.Detail1 = 1;
  record.Detail2 = 2;
  record.RearWheel = 3;
  record.FrontWheel = -4;
  car.m_Cameras[2].SetRecord(record);
  OutlineNode top("All Cars", 0);
  OutlineNode& cameras = BuildOutline(top, car, 0, CarMappingTable{}).Child(4);
  EXPECT_EQ(cameras.Child(2).text, "c[3] (-10,20,30) (D=90 P=-5 R=1) (1 2) (3 -4)");
}

TEST(Outline, EmptyCarHasZeroCountsAndNineCameras) {
  Car car;
  car.SetName("Import From Exe");
  OutlineNode top("All Cars", 0);
  OutlineNode& carItem = BuildOutline(top, car, 0, CarMappingTable{});
  EXPECT_EQ(carItem.text, "Car:Import From Exe");
  EXPECT_EQ(ChildTexts(carItem),
            (std::vector<std::string>{"Verticies 0", "Connections 0", "TextureData 0", "UnkData 0", "Cameras 9"}));
  for (std::size_t group = 0; group < 4; ++group) EXPECT_FALSE(carItem.Child(group).HasChildren());
  EXPECT_EQ(carItem.Child(4).ChildCount(), 9u);
}

TEST(Outline, MappedCommandsGetTheirOwnImage) {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {0, 0, 0, 0}};
  recipe.connections = {{0, 1, 0, 0}};
  recipe.commands = {{1, 1, 1, 0}, {1, 1, 1, 0}, {1, 1, 1, 0}};
  auto car = DecodedCar(recipe);
  ScratchFolder dir;
  test::WriteBytes(dir / "texture.cfg", {'1', ',', '2', ',', '0', '\n'});
  CarMappingTable mapping;
  mapping.ReadTextureCfg(dir.path());
  OutlineNode top("All Cars", 0);
  EXPECT_EQ(ChildImages(BuildOutline(top, *car, 0, mapping).Child(2)), (std::vector<int>{3, 7, 3}));
}

TEST(Outline, PartsStandNextToTheCarUnderTheTopItem) {
  auto car = DecodedCar(SmallCar());
  car->SetName("Import From Exe");
  ShapeRecipe partRecipe;
  partRecipe.tableOffset = 72;
  car->m_Wheel = DecodedCar(partRecipe);
  car->m_Wheel->SetName("Wheel");
  car->m_SteeringWheel = DecodedCar(partRecipe);
  car->m_SteeringWheel->SetName("Steering Wheel");
  partRecipe.tableOffset = 78;
  car->m_Helmet = DecodedCar(partRecipe);
  car->m_Helmet->SetName("Helmet");

  OutlineNode top("All Cars", 0);
  ListCar(top, *car, CarMappingTable{}, nullptr);
  EXPECT_EQ(ChildTexts(top),
            (std::vector<std::string>{"Car:Import From Exe", "Car:Helmet", "Car:Wheel", "Car:Steering Wheel"}));
  EXPECT_EQ(ChildImages(top), (std::vector<int>{0, 6, 11, 10}));
  EXPECT_EQ(car->m_Helmet->m_RootItem, &top.Child(1));
  EXPECT_EQ(car->m_SteeringWheel->m_RootItem, &top.Child(3));
  // Without texture files the car's outline ends with its cameras, like a part's.
  EXPECT_EQ(top.Child(0).ChildCount(), 5u);
  EXPECT_EQ(top.Child(1).ChildCount(), 5u);

  // Listing anew: the shapes' items go, the car is added again.
  for (Car* shape : {car.get(), car->m_Helmet.get(), car->m_Wheel.get(), car->m_SteeringWheel.get()})
    top.Remove(*shape->m_RootItem);
  EXPECT_EQ(top.ChildCount(), 0u);
  ListCar(top, *car, CarMappingTable{}, nullptr);
  EXPECT_EQ(top.ChildCount(), 4u);
  EXPECT_EQ(car->m_Points[1].m_TreeItem, &top.Child(0).Child(0).Child(1));
}

TEST(OutlineNode, ProducerMakesChildrenOnceWhenFirstAskedFor) {
  OutlineNode node("table", 30);
  int runs = 0;
  node.SetProducer([&runs](OutlineNode& self) {
    ++runs;
    self.Add("a", 30);
    self.Add("b", 30);
  });
  EXPECT_TRUE(node.HasChildren());
  EXPECT_EQ(node.MadeChildren().size(), 0u);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(node.ChildCount(), 2u);
  EXPECT_EQ(node.ChildCount(), 2u);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(node.Child(1).parent, &node);
  EXPECT_EQ(node.Child(1).row, 1u);
}

TEST(OutlineNode, RemovingAChildRenumbersTheOnesAfterIt) {
  OutlineNode node("group", 1);
  node.Add("a", 1);
  OutlineNode& b = node.Add("b", 1);
  b.Add("b's child", 1);
  node.Add("c", 1);
  node.Remove(b);
  EXPECT_EQ(ChildTexts(node), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(node.Child(1).row, 1u);
  OutlineNode stranger("x", 1);
  node.Remove(stranger);
  EXPECT_EQ(node.ChildCount(), 2u);
}

TEST(OutlineNode, MovingAChildRenumbersEveryChild) {
  OutlineNode node("group", 1);
  for (const char* label : {"a", "b", "c", "d"}) node.Add(label, 1);
  node.Move(node.Child(3), 1);
  EXPECT_EQ(ChildTexts(node), (std::vector<std::string>{"a", "d", "b", "c"}));
  node.Move(node.Child(0), 2);
  EXPECT_EQ(ChildTexts(node), (std::vector<std::string>{"d", "b", "a", "c"}));
  for (std::size_t i = 0; i < node.ChildCount(); ++i) EXPECT_EQ(node.Child(i).row, i);
  OutlineNode stranger("x", 1);
  node.Move(stranger, 0);
  node.Move(node.Child(0), 4);
  EXPECT_EQ(ChildTexts(node), (std::vector<std::string>{"d", "b", "a", "c"})) << "strangers and places past the end";
}

}  // namespace
}  // namespace tavrel
