// The car view frame as recorded batches: what each piece draws, where and with
// which state, and the number labels.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "scene/CameraPose.h"
#include "scene/CarFrame.h"
#include "scene/FrameRecorder.h"
#include "shape/Car.h"
#include "textures/CarMappingTable.h"

namespace tavrel {
namespace {

using Point = std::array<std::int32_t, 3>;

constexpr DrawColour kRed{1, 0, 0};
constexpr DrawColour kGreen{0, 1, 0};
constexpr DrawColour kBlue{0, 0, 1};
constexpr DrawColour kYellow{1, 1, 0};
constexpr DrawColour kBlack{0, 0, 0};

struct ShapeData {
  std::vector<Point> points;
  std::vector<std::array<int, 2>> connections;  // from, to
  std::vector<std::vector<std::int16_t>> indexLists;
};

std::unique_ptr<Car> MakeShape(const ShapeData& data) {
  auto car = std::make_unique<Car>();
  for (const Point& p : data.points) {
    Vertex& v = car->m_Points.emplace_back();
    v.m_X = p[0];
    v.m_Y = p[1];
    v.m_Z = p[2];
  }
  car->m_PointCount = static_cast<int>(data.points.size());
  for (const auto& [from, to] : data.connections) {
    Point3D& c = car->m_Connections.emplace_back();
    c.m_From = from;
    c.m_To = to;
  }
  car->m_ConnectionCount = static_cast<int>(data.connections.size());
  car->m_Commands.resize(Car::kMaxCommands);
  for (std::size_t i = 0; i < data.indexLists.size(); ++i) {
    TextureCmd& command = car->m_Commands[i];
    command.m_Opcode = 0;
    for (std::int16_t entry : data.indexLists[i])
      command.m_Indices[static_cast<std::size_t>(command.m_IndexCount++)] = entry;
  }
  car->m_CommandCount = static_cast<int>(data.indexLists.size());
  return car;
}

// n points along x, 100 apart.
std::vector<Point> Row(int n) {
  std::vector<Point> points;
  for (int i = 0; i < n; ++i) points.push_back({i * 100, 0, 0});
  return points;
}

// A triangle: (0,0,0), (1000,0,0), (0,1000,0).
ShapeData Triangle() { return {{{0, 0, 0}, {1000, 0, 0}, {0, 1000, 0}}, {{0, 1}, {1, 2}, {2, 0}}, {{1, 2, 3}}}; }

// Only the pieces a test names are on.
DisplayFlags Only(std::initializer_list<bool DisplayFlags::*> on) {
  DisplayFlags flags;
  for (bool DisplayFlags::*flag : {&DisplayFlags::showFilled, &DisplayFlags::showTyres, &DisplayFlags::showHelmet,
                                   &DisplayFlags::showAxis, &DisplayFlags::showCameras, &DisplayFlags::showLines,
                                   &DisplayFlags::showCar, &DisplayFlags::showCockpit, &DisplayFlags::showSWheel})
    flags.*flag = false;
  for (bool DisplayFlags::*flag : on) flags.*flag = true;
  return flags;
}

struct Frame {
  FrameRecorder recorder;
  bool drawn = false;

  std::vector<RecordedBatch> Batches(DrawMode mode) const {
    std::vector<RecordedBatch> found;
    for (const RecordedItem& item : recorder.Items())
      if (const auto* batch = std::get_if<RecordedBatch>(&item); batch != nullptr && batch->mode == mode)
        found.push_back(*batch);
    return found;
  }
  std::vector<RecordedCylinder> Cylinders() const {
    std::vector<RecordedCylinder> found;
    for (const RecordedItem& item : recorder.Items())
      if (const auto* cylinder = std::get_if<RecordedCylinder>(&item)) found.push_back(*cylinder);
    return found;
  }
  std::vector<std::string> LabelTexts() const {
    std::vector<std::string> texts;
    for (const FrameLabel& label : recorder.Labels()) texts.push_back(label.text);
    return texts;
  }
};

Frame DrawFrame(const Car* car, const DisplayFlags& flags, const CarMappingTable& mapping = CarMappingTable(),
                bool texturesMade = false) {
  Frame frame;
  const FrameInput input{car, mapping, flags, texturesMade};
  frame.drawn = DrawCarFrame3D(frame.recorder, input);
  FrameLabels(frame.recorder, input);
  EXPECT_EQ(frame.recorder.MatrixDepth(), 0) << "pushes and pops pair";
  return frame;
}

Point At(const Vec3& v) {
  return {static_cast<std::int32_t>(std::lround(v.x)), static_cast<std::int32_t>(std::lround(v.y)),
          static_cast<std::int32_t>(std::lround(v.z))};
}

std::vector<Point> Positions(const RecordedBatch& batch) {
  std::vector<Point> points;
  for (const RecordedVertex& v : batch.vertices) points.push_back(At(v.at));
  return points;
}

std::vector<DrawColour> Colors(const RecordedBatch& batch) {
  std::vector<DrawColour> colors;
  for (const RecordedVertex& v : batch.vertices) colors.push_back(v.color);
  return colors;
}

TEST(CarFrame, AnEmptyDocumentDrawsNothing) {
  const Frame frame = DrawFrame(nullptr, DisplayFlags());
  EXPECT_FALSE(frame.drawn);
  EXPECT_TRUE(frame.recorder.Items().empty());
  EXPECT_TRUE(frame.recorder.Labels().empty());
}

TEST(CarFrame, IndexEntriesWalkConnectionsEitherWay) {
  // 1 = (0 -> 5), 2 = (7 -> 6), 3 = (9 -> 2): the list 1, -2, 3 goes through 0, 6, 9.
  const auto car = MakeShape({Row(10), {{0, 5}, {7, 6}, {9, 2}}, {{1, -2, 3}}});
  const Frame frame = DrawFrame(car.get(), Only({&DisplayFlags::showCar, &DisplayFlags::showFilled}));
  const auto polygons = frame.Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(Positions(polygons[0]), (std::vector<Point>{{0, 0, 0}, {600, 0, 0}, {900, 0, 0}}));
  EXPECT_EQ(Colors(polygons[0]), std::vector<DrawColour>(3, kRed));
  EXPECT_EQ(polygons[0].texture, 0);
  EXPECT_EQ(polygons[0].size, 0);
}

TEST(CarFrame, PolygonsTakeTheColourTableByPositionOrRedInSingleColour) {
  ShapeData data = Triangle();
  data.indexLists.assign(14, {1, 2, 3});
  const auto car = MakeShape(data);
  const std::vector<DrawColour> expected = {{1, 0, 0},     {0, 1, 0},     {0, 0, 1},   {1, 1, 0},   {1, 0, 1},
                                            {0, 1, 1},     {0.5, 0, 0},   {0, 0.5, 0}, {0, 0, 0.5}, {0.5, 0.5, 0},
                                            {0.5, 0, 0.5}, {0, 0.5, 0.5}, {1, 0, 0},   {0, 1, 0}};
  DisplayFlags flags = Only({&DisplayFlags::showCar, &DisplayFlags::showFilled});
  const auto polygons = DrawFrame(car.get(), flags).Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(polygons[i].vertices[0].color, expected[i]) << i;

  flags.showSingleColor = true;
  for (const RecordedBatch& polygon : DrawFrame(car.get(), flags).Batches(DrawMode::Polygon))
    EXPECT_EQ(polygon.vertices[0].color, kRed);
}

TEST(CarFrame, NormalsComeFromTheFirstThreeCornersAndStayUntilTheNextOne) {
  ShapeData data = Triangle();
  data.indexLists = {{1, 2}, {1, 2, 3}, {1, 2}};
  const auto car = MakeShape(data);
  DisplayFlags flags = Only({&DisplayFlags::showCar, &DisplayFlags::showFilled, &DisplayFlags::showNormals});
  const Frame frame = DrawFrame(car.get(), flags);
  const auto polygons = frame.Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_FALSE(polygons[0].normal.has_value());
  ASSERT_TRUE(polygons[1].normal.has_value());
  EXPECT_EQ(At(*polygons[1].normal), (Point{0, 0, -1000}));
  // Two corners make no normal: the last one stays current.
  ASSERT_TRUE(polygons[2].normal.has_value());
  EXPECT_EQ(At(*polygons[2].normal), (Point{0, 0, -1000}));

  // One normal line, black, from the centre.
  const auto lines = frame.Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Positions(lines[0]), (std::vector<Point>{{333, 333, 0}, {333, 333, -1000}}));
  EXPECT_EQ(lines[0].vertices[0].color, kBlack);
}

TEST(CarFrame, SkippedEntriesKeepTheTexturePositionsOfTheFollowingCorners) {
  // Entries 0 and 9 name no connection; corner 2 takes the mapping's fourth pair.
  ShapeData data = Triangle();
  data.indexLists = {{1, 0, 9, 2}};
  const auto car = MakeShape(data);
  CarMappingTable mapping;
  mapping.ReadTextureCfgText("0,2,4,10,20,30,40,50,60,64,128\n");
  const auto polygons = DrawFrame(car.get(), Only({&DisplayFlags::showCar, &DisplayFlags::showFilled}), mapping)
                            .Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(Positions(polygons[0]), (std::vector<Point>{{0, 0, 0}, {1000, 0, 0}}));
  ASSERT_TRUE(polygons[0].uv.has_value());
  const std::vector<std::array<double, 2>> uv = {{10 / 256.0, 1 - 20 / 256.0}, {0.25, 0.5}};
  EXPECT_EQ(*polygons[0].uv, uv);
}

TEST(CarFrame, TexturesBindTheirSlotsAndEntriesWithoutOneKeepTheLast) {
  ShapeData data = Triangle();
  data.indexLists.assign(3, {1, 2, 3});
  auto car = MakeShape(data);
  car->m_Wheel = MakeShape(Triangle());
  for (int i = 3; i <= 40; ++i) car->m_Points.push_back(car->m_Points[0]);
  car->m_PointCount = 41;
  CarMappingTable mapping;
  mapping.ReadTextureCfgText("1,3,0\n");
  DisplayFlags flags = Only({&DisplayFlags::showCar, &DisplayFlags::showFilled, &DisplayFlags::showTexture,
                             &DisplayFlags::showLines, &DisplayFlags::showTyres});

  // The first frame makes the texture objects, which leaves slot 4 bound.
  Frame frame = DrawFrame(car.get(), flags, mapping);
  EXPECT_TRUE(frame.recorder.TexturesMade());
  auto polygons = frame.Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 3u + 4u);
  EXPECT_EQ(polygons[0].texture, 4);
  EXPECT_EQ(polygons[1].texture, 3);
  EXPECT_EQ(polygons[2].texture, 3);
  // Part polygons switch texturing on again and carry no coordinates of their own.
  EXPECT_EQ(polygons[3].texture, 3);
  EXPECT_FALSE(polygons[3].uv.has_value());
  // The car's connections are drawn untextured, the wheels' textured.
  const auto lines = frame.Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 3u + 4u * 3u);
  EXPECT_EQ(lines[0].texture, 0);
  EXPECT_EQ(lines[3].texture, 3);

  // Made before: nothing is made and nothing bound until an entry names a slot.
  frame = DrawFrame(car.get(), flags, mapping, true);
  EXPECT_FALSE(frame.recorder.TexturesMade());
  polygons = frame.Batches(DrawMode::Polygon);
  EXPECT_EQ(polygons[0].texture, 0);
  EXPECT_EQ(polygons[1].texture, 3);
}

TEST(CarFrame, CommandsBeyondTheMappingTableKeepTheBoundSlotAndTakeCoordinatesZero) {
  ShapeData data = Triangle();
  data.indexLists.assign(CarMappingTable::kEntryCount + 1, {1, 2, 3});
  const auto car = MakeShape(data);
  CarMappingTable mapping;
  mapping.ReadTextureCfgText("389,1,3,8,8,8,8,8,8\n");
  const auto polygons =
      DrawFrame(car.get(), Only({&DisplayFlags::showCar, &DisplayFlags::showFilled, &DisplayFlags::showTexture}),
                mapping, true)
          .Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 391u);
  EXPECT_EQ(polygons[389].texture, 1);
  EXPECT_EQ(polygons[390].texture, 1);
  EXPECT_EQ(*polygons[390].uv, (std::vector<std::array<double, 2>>(3, {0, 1})));
}

TEST(CarFrame, FrameStateFollowsTheFlags) {
  const auto car = MakeShape(Triangle());
  DisplayFlags flags = Only({&DisplayFlags::showCulling, &DisplayFlags::showLighting});
  FrameRecorder recorder;
  DrawCarFrame3D(recorder, {car.get(), CarMappingTable(), flags, false});
  EXPECT_TRUE(recorder.Enabled(Capability::Culling));
  EXPECT_TRUE(recorder.Enabled(Capability::Lighting));
  EXPECT_FALSE(recorder.Enabled(Capability::Texturing));
  flags = Only({});
  DrawCarFrame3D(recorder, {car.get(), CarMappingTable(), flags, false});
  EXPECT_FALSE(recorder.Enabled(Capability::Culling));
  EXPECT_FALSE(recorder.Enabled(Capability::Lighting));
}

TEST(CarFrame, SelectedCommandIsYellowWithAWideRedToBlueStartMarker) {
  ShapeData data = Triangle();
  data.indexLists = {{1, 2, 3}, {3, -1, 1}, {2, 3, 1}};
  auto car = MakeShape(data);
  car->m_SelectedCommand = &car->m_Commands[1];
  for (bool filled : {true, false}) {
    DisplayFlags flags = Only({&DisplayFlags::showCar});
    flags.showFilled = filled;
    const Frame frame = DrawFrame(car.get(), flags);
    const auto polygons = frame.Batches(DrawMode::Polygon);
    // With showFilled off only the selected command is drawn.
    ASSERT_EQ(polygons.size(), filled ? 3u : 1u);
    const RecordedBatch& selected = polygons[filled ? 1 : 0];
    EXPECT_EQ(Positions(selected), (std::vector<Point>{{0, 1000, 0}, {1000, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(Colors(selected), std::vector<DrawColour>(3, kYellow));

    const auto lines = frame.Batches(DrawMode::Lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size, 4);
    EXPECT_EQ(Positions(lines[0]), (std::vector<Point>{{0, 1000, 0}, {1000, 0, 0}}));
    EXPECT_EQ(Colors(lines[0]), (std::vector<DrawColour>{kRed, kBlue}));
  }
  // The width goes back to 1 for what follows.
  DisplayFlags flags = Only({&DisplayFlags::showCar, &DisplayFlags::showFilled, &DisplayFlags::showLines});
  const auto lines = DrawFrame(car.get(), flags).Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].size, 1);
}

TEST(CarFrame, PointsConnectionsAndTheSelectedPointMarker) {
  auto car = MakeShape({{{0, 0, 0}, {100, 200, 300}}, {{0, 1}, {1, 7}}, {}});
  car->m_SelectedPoint = &car->m_Points[1];
  const Frame frame =
      DrawFrame(car.get(), Only({&DisplayFlags::showCar, &DisplayFlags::showPoints, &DisplayFlags::showLines}));
  const auto points = frame.Batches(DrawMode::Points);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0].size, 2);
  EXPECT_EQ(Positions(points[0]), (std::vector<Point>{{0, 0, 0}, {100, 200, 300}}));
  EXPECT_EQ(Colors(points[0]), std::vector<DrawColour>(2, kRed));
  EXPECT_EQ(points[1].size, 7);
  EXPECT_EQ(Positions(points[1]), (std::vector<Point>{{100, 200, 300}}));
  EXPECT_FALSE(points[0].overAll);
  EXPECT_TRUE(points[1].overAll) << "the marker shows through the polygons";

  // The connection to the missing point 7 is not drawn; the cross follows in blue.
  const auto lines = frame.Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Positions(lines[0]), (std::vector<Point>{{0, 0, 0}, {100, 200, 300}}));
  EXPECT_EQ(Colors(lines[0]), std::vector<DrawColour>(2, kBlack));
  EXPECT_EQ(Positions(lines[1]), (std::vector<Point>{{40, 140, 300}, {160, 260, 300}}));
  EXPECT_EQ(Positions(lines[2]), (std::vector<Point>{{160, 140, 300}, {40, 260, 300}}));
  EXPECT_EQ(Colors(lines[2]), std::vector<DrawColour>(2, kBlue));
  EXPECT_TRUE(lines[2].overAll);
  EXPECT_TRUE(frame.recorder.Enabled(Capability::DepthTest)) << "on again for the next frame";
}

TEST(CarFrame, AxisCrossInOneBatch) {
  const auto car = MakeShape({});
  const auto lines = DrawFrame(car.get(), Only({&DisplayFlags::showAxis})).Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Positions(lines[0]),
            (std::vector<Point>{{0, 0, 0}, {10, 0, 0}, {0, 0, 0}, {0, 10, 0}, {0, 0, 0}, {0, 0, 10}}));
  EXPECT_EQ(Colors(lines[0]), (std::vector<DrawColour>{kRed, kRed, kGreen, kGreen, kBlue, kBlue}));
  EXPECT_EQ(lines[0].size, 1);
  EXPECT_FALSE(lines[0].normal.has_value());
  EXPECT_FALSE(lines[0].uv.has_value());
}

TEST(CarFrame, CameraMarkersStandAtTheirScaledPositionsTheSelectedOneRed) {
  auto car = MakeShape({});
  Camera& camera = car->m_Cameras[4];
  camera.m_Record.X = 10;
  camera.m_Record.Z = 20;
  camera.m_Record.Y = 30;
  car->m_Cameras[2].m_DirectionDeg = 90;
  car->m_SelectedCamera = &car->m_Cameras[2];
  const Frame frame = DrawFrame(car.get(), Only({&DisplayFlags::showCameras, &DisplayFlags::showAxis}));
  const auto cylinders = frame.Cylinders();
  ASSERT_EQ(cylinders.size(), 9u);
  for (std::size_t k = 0; k < 9; ++k) {
    EXPECT_EQ(cylinders[k].color, k == 2 ? kRed : kGreen) << k;
    EXPECT_EQ(cylinders[k].base, 150);
    EXPECT_EQ(cylinders[k].top, 100);
    EXPECT_EQ(cylinders[k].height, 300);
    EXPECT_EQ(cylinders[k].slices, 4);
    EXPECT_EQ(cylinders[k].stacks, 1);
  }
  const Matrix4& at = cylinders[4].matrix;
  EXPECT_EQ((Point{static_cast<int>(at.at(0, 3)), static_cast<int>(at.at(1, 3)), static_cast<int>(at.at(2, 3))}),
            (Point{-80, 160, 240}));

  // Axes of 1350 with each marker, in the game's axes: x across the car
  // (mirrored), and x turned ahead when the camera looks 90 degrees aside.
  const auto lines = frame.Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 1u + 9u);
  EXPECT_EQ(Positions(lines[1 + 4])[1], (Point{-1430, 160, 240}));
  EXPECT_EQ(Positions(lines[1 + 2])[1], (Point{0, 1350, 0}));

  // Without the axis flag the markers come alone.
  EXPECT_TRUE(DrawFrame(car.get(), Only({&DisplayFlags::showCameras})).Batches(DrawMode::Lines).empty());
}

TEST(CarFrame, CameraMarkersAreTurnedByTheCamerasPose) {
  auto car = MakeShape({});
  Camera& camera = car->m_Cameras[0];
  camera.m_DirectionDeg = 30;
  camera.m_RollDeg = 40;
  camera.m_PitchDeg = 50;
  const auto cylinders = DrawFrame(car.get(), Only({&DisplayFlags::showCameras})).Cylinders();
  ASSERT_FALSE(cylinders.empty());
  const Matrix4 expected = PoseMatrix(PoseOf(camera));
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(cylinders[0].matrix.m[static_cast<std::size_t>(i)], expected.m[static_cast<std::size_t>(i)], 1e-9);
}

// A car of 41 points whose points 37 to 40 are the wheel positions, and parts
// that are a triangle each.
std::unique_ptr<Car> CarWithParts(int cockpitPoints) {
  std::vector<Point> points = Row(41);
  points[0] = {5, 6, 7};
  auto car = MakeShape({points, {}, {}});
  car->m_Wheel = MakeShape(Triangle());
  car->m_Helmet = MakeShape(Triangle());
  car->m_Cockpit = MakeShape({Row(cockpitPoints), {}, {}});
  car->m_SteeringWheel = MakeShape(Triangle());
  if (cockpitPoints > 84) car->m_Cockpit->m_Points[84] = MakeShape({{{0, 840, 0}}, {}, {}})->m_Points[0];
  return car;
}

TEST(CarFrame, TyresFollowCarPoints37To40EvenWithTheBodyHidden) {
  auto car = CarWithParts(0);
  car->m_Wheel->m_SelectedPoint = &car->m_Wheel->m_Points[1];
  const Frame frame = DrawFrame(car.get(), Only({&DisplayFlags::showTyres, &DisplayFlags::showFilled}));
  const auto polygons = frame.Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 4u);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Positions(polygons[static_cast<std::size_t>(i)])[1], (Point{(37 + i) * 100 + 1000, 0, 0}));
  // No texture coordinates for parts; their connections are drawn without showLines.
  EXPECT_FALSE(polygons[0].uv.has_value());
  const auto lines = frame.Batches(DrawMode::Lines);
  ASSERT_EQ(lines.size(), 4u * (3u + 2u));
  EXPECT_EQ(Positions(lines[0]), (std::vector<Point>{{3700, 0, 0}, {4700, 0, 0}}));
  // The selected point's marker moves with each wheel.
  const auto markers = frame.Batches(DrawMode::Points);
  ASSERT_EQ(markers.size(), 4u);
  EXPECT_EQ(Positions(markers[3]), (std::vector<Point>{{5000, 0, 0}}));
  EXPECT_EQ(markers[3].size, 7);

  // Fewer than 41 points: no wheel positions, no tyres.
  car->m_PointCount = 40;
  EXPECT_TRUE(
      DrawFrame(car.get(), Only({&DisplayFlags::showTyres, &DisplayFlags::showFilled})).recorder.Items().empty());
}

TEST(CarFrame, HelmetAtCarPointZeroWhileTheCarIsShown) {
  const auto car = CarWithParts(0);
  for (bool carShown : {true, false}) {
    DisplayFlags flags = Only({&DisplayFlags::showHelmet, &DisplayFlags::showFilled});
    flags.showCar = carShown;
    const auto polygons = DrawFrame(car.get(), flags).Batches(DrawMode::Polygon);
    ASSERT_FALSE(polygons.empty());
    EXPECT_EQ(Positions(polygons.back())[0], carShown ? (Point{5, 6, 7}) : (Point{0, 0, 0}));
  }
}

TEST(CarFrame, SteeringWheelAtCockpitPoint84OnlyWhileTheCockpitIsShown) {
  struct Case {
    int cockpitPoints;
    bool cockpitShown;
    Point at;
  };
  for (const Case& c : {Case{85, true, {0, 840, 0}}, Case{85, false, {0, 0, 0}}, Case{84, true, {0, 0, 0}}}) {
    const auto car = CarWithParts(c.cockpitPoints);
    DisplayFlags flags = Only({&DisplayFlags::showSWheel, &DisplayFlags::showFilled});
    flags.showCockpit = c.cockpitShown;
    const auto polygons = DrawFrame(car.get(), flags).Batches(DrawMode::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(Positions(polygons[0])[0], c.at) << c.cockpitPoints << ' ' << c.cockpitShown;
  }
}

TEST(CarFrame, PiecesComeInTheirOrder) {
  // Car, cameras, tyres, helmet, cockpit, steering wheel: each part's triangle
  // tells where it was drawn.
  const std::vector<std::array<int, 2>> loop = {{0, 1}, {1, 2}, {2, 0}};
  auto car = MakeShape({Row(41), loop, {{1, 2, 3}}});
  car->m_Wheel = MakeShape(Triangle());
  car->m_Helmet = MakeShape(Triangle());
  car->m_Cockpit = MakeShape({Row(85), loop, {{1, 2, 3}}});
  car->m_SteeringWheel = MakeShape(Triangle());
  const Frame frame = DrawFrame(car.get(), DisplayFlags());
  std::vector<std::string> order;
  for (const RecordedItem& item : frame.recorder.Items()) {
    const auto* batch = std::get_if<RecordedBatch>(&item);
    const std::string kind = batch == nullptr ? "cylinder" : batch->mode == DrawMode::Polygon ? "polygon" : "";
    if (!kind.empty() && (order.empty() || order.back() != kind)) order.push_back(kind);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"polygon", "cylinder", "polygon"}));
  const auto polygons = frame.Batches(DrawMode::Polygon);
  ASSERT_EQ(polygons.size(), 1u + 4u + 1u + 1u + 1u);
  EXPECT_EQ(Positions(polygons[1])[0], (Point{3700, 0, 0}));  // first tyre
  EXPECT_EQ(Positions(polygons[5])[0], (Point{0, 0, 0}));     // helmet at car point 0
  EXPECT_EQ(Positions(polygons[6])[1], (Point{100, 0, 0}));   // cockpit
  EXPECT_EQ(Positions(polygons[7])[0], (Point{8400, 0, 0}));  // steering wheel at cockpit point 84
}

TEST(CarFrame, PointAndConnectionNumbers) {
  auto car = MakeShape({{{0, 0, 0}, {-3, 5, 8}, {1, 1, 1}}, {{0, 1}, {1, 9}, {2, 1}}, {}});
  car->m_Cockpit = MakeShape({{{7, 7, 7}}, {}, {}});
  DisplayFlags flags = Only({&DisplayFlags::showCar, &DisplayFlags::showPointNumbers, &DisplayFlags::showVertexNumbers,
                             &DisplayFlags::showHelmet});
  const Frame frame = DrawFrame(car.get(), flags);
  // Car points, cockpit points at their own place, then connections numbered
  // from 1 at their midpoints in whole units; the one to a missing point has none.
  EXPECT_EQ(frame.LabelTexts(), (std::vector<std::string>{"0", "1", "2", "0", "1", "3"}));
  const auto& labels = frame.recorder.Labels();
  EXPECT_EQ(At(labels[1].at), (Point{-3, 5, 8}));
  EXPECT_EQ(At(labels[3].at), (Point{7, 7, 7}));
  EXPECT_EQ(At(labels[4].at), (Point{-1, 2, 4}));
  EXPECT_EQ(At(labels[5].at), (Point{-1, 3, 4}));

  // Cockpit numbers go with the helmet flag; none of them with the car hidden.
  flags.showHelmet = false;
  EXPECT_EQ(DrawFrame(car.get(), flags).LabelTexts(), (std::vector<std::string>{"0", "1", "2", "1", "3"}));
  flags.showCar = false;
  flags.showHelmet = true;
  EXPECT_EQ(DrawFrame(car.get(), flags).LabelTexts(), (std::vector<std::string>{"0"}));
}

TEST(CarFrame, PolygonNumbersAtTheirCornersAverageAndCameraNumbersAtTheirMarkers) {
  ShapeData data = Triangle();
  data.indexLists = {{1, 2, 3}, {0, 99}, {2, 99}};
  auto car = MakeShape(data);
  car->m_Cameras[8].m_Record.X = 1;
  DisplayFlags flags = Only({&DisplayFlags::showCar, &DisplayFlags::showPolygonNumbers, &DisplayFlags::showCameras,
                             &DisplayFlags::showCameraNumbers});
  const Frame frame = DrawFrame(car.get(), flags);
  // Command 1 has no valid corner.
  EXPECT_EQ(frame.LabelTexts(), (std::vector<std::string>{"0", "2", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  const auto& labels = frame.recorder.Labels();
  EXPECT_NEAR(labels[0].at.x, 1000 / 3.0, 1e-9);
  EXPECT_NEAR(labels[0].at.y, 1000 / 3.0, 1e-9);
  EXPECT_EQ(At(labels[1].at), (Point{1000, 0, 0}));
  EXPECT_EQ(At(labels[10].at), (Point{-8, 0, 0}));

  // Each needs its piece shown.
  flags.showCar = false;
  flags.showCameras = false;
  EXPECT_TRUE(DrawFrame(car.get(), flags).LabelTexts().empty());
}

TEST(CarFrame, TablesThatContradictTheirCountsAreNeverReadOutside) {
  // Counts beyond the tables, index entries naming missing connections and
  // connections naming missing points, in the car and in every part.
  const auto broken = [] {
    auto shape = MakeShape({{{1, 2, 3}}, {{0, 40}, {40, 0}, {-1, 0}}, {{1, -2, 3, -4, 32767, -32768, 0}, {1}}});
    shape->m_PointCount = 90;
    shape->m_ConnectionCount = 50;
    shape->m_Commands.resize(2);
    shape->m_CommandCount = 1000;
    shape->m_Commands[1].m_IndexCount = 30;
    return shape;
  };
  auto car = broken();
  car->m_Wheel = broken();
  car->m_Helmet = broken();
  car->m_Cockpit = broken();
  car->m_SteeringWheel = broken();
  car->m_SelectedCommand = &car->m_Commands[0];
  DisplayFlags everything;
  for (bool DisplayFlags::*flag : {&DisplayFlags::showPoints, &DisplayFlags::showTexture, &DisplayFlags::showNormals,
                                   &DisplayFlags::showPointNumbers, &DisplayFlags::showVertexNumbers,
                                   &DisplayFlags::showPolygonNumbers, &DisplayFlags::showCameraNumbers})
    everything.*flag = true;
  const Frame frame = DrawFrame(car.get(), everything);
  EXPECT_TRUE(frame.drawn);
  // Only entries 1 and -2 lead to the one real point.
  const auto polygons = frame.Batches(DrawMode::Polygon);
  ASSERT_FALSE(polygons.empty());
  EXPECT_EQ(Positions(polygons[0]), (std::vector<Point>(2, Point{1, 2, 3})));
}

}  // namespace
}  // namespace tavrel
