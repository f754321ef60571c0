// The demo's shapes decode as the program decodes them, fit the game's places
// for their kind, and make a car that looks like an open-wheel race car.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "DemoGeometry.h"
#include "demo/DemoTextureCfg.h"
#include "demo/ShapeImageBuilder.h"
#include "shape/ExePositions.h"
#include "shape/PartFile.h"
#include "shape/ShapeCheck.h"
#include "textures/CarMappingTable.h"

namespace tavrel::test {
namespace {

class EveryDemoShape : public ::testing::TestWithParam<ShapeKind> {};

std::string KindTestName(const ::testing::TestParamInfo<ShapeKind>& kind) {
  std::string name(kindName(kind.param));
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Demo, EveryDemoShape, ::testing::ValuesIn(kAllShapeKinds), KindTestName);

TEST_P(EveryDemoShape, DecodesWholeWithoutASequenceBreak) {
  const DecodedDemo d = DecodeDemo(GetParam());
  const ShapeRecipe& recipe = d.shape.recipe;
  EXPECT_EQ(d.car->m_Valid, 1);
  EXPECT_EQ(d.car->m_PointCount, static_cast<int>(recipe.points.size()));
  EXPECT_EQ(d.car->m_ConnectionCount, static_cast<int>(recipe.connections.size()));
  EXPECT_EQ(d.car->m_CommandCount, static_cast<int>(recipe.commands.size()));
  EXPECT_EQ(d.car->m_DataValueCount, static_cast<int>(recipe.dataValues.size()));
  // Each command reads back as the opcode and argument words it was written with.
  for (int i = 0; i < d.car->m_CommandCount; ++i) {
    const TextureCmd& command = d.car->m_Commands[static_cast<std::size_t>(i)];
    std::vector<std::int32_t> words = {command.m_Opcode};
    words.insert(words.end(), command.m_Args.begin(), command.m_Args.begin() + command.m_ArgCount);
    const auto& written = recipe.commands[static_cast<std::size_t>(i)];
    EXPECT_EQ(words, std::vector<std::int32_t>(written.begin(), written.end())) << "command " << i;
  }
}

TEST_P(EveryDemoShape, IndexListsWalkThePolygonsCorners) {
  const DecodedDemo d = DecodeDemo(GetParam());
  const auto& polygons = d.shape.polygons;
  ASSERT_EQ(static_cast<int>(polygons.size()), d.car->m_CommandCount);
  std::vector<std::vector<int>> expected;
  for (const demo::Polygon& polygon : polygons) {
    if (!polygon.corners.empty()) expected.push_back(polygon.corners);
  }
  EXPECT_EQ(DrawnPolygons(*d.car), expected);
  for (int i = 0; i < d.car->m_CommandCount; ++i) {
    const TextureCmd& command = d.car->m_Commands[static_cast<std::size_t>(i)];
    EXPECT_EQ(command.m_IndexCount, static_cast<int>(polygons[static_cast<std::size_t>(i)].corners.size())) << i;
    EXPECT_LE(command.m_ArgCount, TextureCmd::kMaxArgs);
  }
}

TEST_P(EveryDemoShape, FitsItsPlaceInTheGame) {
  const ShapeKind kind = GetParam();
  const DecodedDemo d = DecodeDemo(kind);
  const std::size_t size = BuildShapeImage(d.shape.recipe).size();
  EXPECT_EQ(d.shape.recipe.tableOffset, tableOffset(kind));
  if (const PartFileKind* part = FindPartFileKind(kind)) {
    EXPECT_LE(size, part->length);
    EXPECT_EQ(d.shape.recipe.magic, ShapeHeader::kMagicPart);
  } else {
    // The car's image must end before the cockpit's begins in the executable.
    EXPECT_LE(static_cast<std::int64_t>(size), kOriginalPositions.cockpit - kOriginalPositions.car);
    EXPECT_EQ(d.shape.recipe.magic, ShapeHeader::kMagicCar);
  }
  // A scale table of 16-bit words, growing with each detail level.
  const auto& scale = d.shape.recipe.scaleTable;
  ASSERT_GE(scale.size(), 4u);
  ASSERT_EQ(scale.size() % 2, 0u);
  for (std::size_t i = 2; i < scale.size(); i += 2)
    EXPECT_GT(*readU16(scale, static_cast<std::int64_t>(i)), *readU16(scale, static_cast<std::int64_t>(i - 2)));
  EXPECT_FALSE(d.shape.recipe.dataValues.empty());
}

// The demo is what players first patch into a game: nothing about it may look wrong.
TEST_P(EveryDemoShape, PassesTheCheckWithoutAProblem) {
  const ShapeKind kind = GetParam();
  const DecodedDemo d = DecodeDemo(kind);
  CarMappingTable mapping;
  mapping.ReadTextureCfgText(demo::MakeDemoTextureCfg(demo::MakeDemoCar()));
  EXPECT_EQ(CheckShape(*d.car, kind, &mapping), std::vector<ShapeProblem>{});
}

// Every connection a polygon walks is walked once each way: each solid is
// closed and its faces agree on which side is outside. Faces turn clockwise
// seen from outside, so the normal the view computes, (p2 - p0) x (p1 - p0),
// points out and the signed volume of each solid is negative (zero for a
// plate drawn from both sides).
TEST_P(EveryDemoShape, SolidsAreClosedAndFaceOutwards) {
  const DecodedDemo d = DecodeDemo(GetParam());
  const auto polygons = DrawnPolygons(*d.car);
  std::map<std::pair<int, int>, int> walked;
  for (const auto& polygon : polygons)
    for (std::size_t k = 0; k < polygon.size(); ++k) ++walked[{polygon[k], polygon[(k + 1) % polygon.size()]}];
  for (const auto& [edge, times] : walked) {
    EXPECT_EQ(times, 1) << edge.first << "->" << edge.second;
    EXPECT_EQ(walked.count({edge.second, edge.first}), 1u) << edge.first << "->" << edge.second;
  }
  // Solids are the groups of polygons joined through shared points.
  std::vector<int> group(static_cast<std::size_t>(d.car->m_PointCount));
  std::iota(group.begin(), group.end(), 0);
  const auto root = [&](int p) {
    while (group[static_cast<std::size_t>(p)] != p) p = group[static_cast<std::size_t>(p)];
    return p;
  };
  for (const auto& polygon : polygons)
    for (int p : polygon) group[static_cast<std::size_t>(root(p))] = root(polygon[0]);
  std::vector<Vec3> points;
  for (int i = 0; i < d.car->m_PointCount; ++i) points.push_back(PointOf(*d.car, i));
  std::map<int, std::vector<std::vector<int>>> solids;
  for (const auto& polygon : polygons) solids[root(polygon[0])].push_back(polygon);
  for (const auto& [first, faces] : solids)
    EXPECT_LE(demo::SignedVolume(points, faces), 0.0) << "solid of point " << first;
}

// The view draws each polygon as one convex GL polygon, and the export as a fan.
TEST_P(EveryDemoShape, PolygonsAreConvex) {
  const DecodedDemo d = DecodeDemo(GetParam());
  for (const auto& polygon : DrawnPolygons(*d.car)) {
    ASSERT_GE(polygon.size(), 3u);
    std::vector<Vec3> p;
    for (int i : polygon) p.push_back(PointOf(*d.car, i));
    Vec3 normal;
    for (std::size_t k = 0; k < p.size(); ++k) normal = normal + cross(p[k], p[(k + 1) % p.size()]);
    for (std::size_t k = 0; k < p.size(); ++k) {
      const Vec3 turn = cross(p[(k + 1) % p.size()] - p[k], p[(k + 2) % p.size()] - p[(k + 1) % p.size()]);
      EXPECT_GE(dot(turn, normal), 0.0) << "polygon through point " << polygon[0];
    }
  }
}

TEST(DemoCar, IsDetailedAndUsesTheGamesCommands) {
  const DecodedDemo d = DecodeDemo(ShapeKind::Car);
  const Car& car = *d.car;
  EXPECT_GE(car.m_PointCount, 300);
  EXPECT_GE(car.m_ConnectionCount, 500);
  std::set<int> opcodes;
  int polygons = 0;
  bool forwards = false;
  bool backwards = false;
  bool longForm = false;
  bool shortForm = false;
  for (int i = 0; i < car.m_CommandCount; ++i) {
    const TextureCmd& c = car.m_Commands[static_cast<std::size_t>(i)];
    opcodes.insert(c.m_Opcode);
    if (c.m_IndexCount == 0) continue;
    // Every polygon has a place in the texture mapping table.
    EXPECT_LT(i, 390);
    ++polygons;
    for (int k = 0; k < c.m_IndexCount; ++k)
      (c.m_Indices[static_cast<std::size_t>(k)] > 0 ? forwards : backwards) = true;
    if (c.m_Opcode == 0x10) (c.m_Args[1] == 0x80 ? longForm : shortForm) = true;
  }
  EXPECT_GE(polygons, 200);
  EXPECT_TRUE(forwards && backwards);
  EXPECT_TRUE(longForm && shortForm);
  for (int opcode : {0x00, 0x01, 0x02, 0x03, 0x04, 0x0A, 0x10, 0x11, 0x12, 0x13, 0x80, 0x90})
    EXPECT_TRUE(opcodes.count(opcode)) << opcode;
}

// Points of a shape whose coordinate along an axis is the extreme one.
double ExtremeAlong(const Car& shape, double Vec3::*axis, bool highest, double Vec3::*other) {
  double best = highest ? -1e9 : 1e9;
  double at = 0;
  for (int i = 0; i < shape.m_PointCount; ++i) {
    const Vec3 p = PointOf(shape, i);
    if (highest ? p.*axis > best : p.*axis < best) {
      best = p.*axis;
      at = p.*other;
    }
  }
  return at;
}

TEST(DemoCar, ProportionsOfAnOpenWheelRaceCar) {
  const DecodedDemo d = DecodeDemo(ShapeKind::Car);
  const Car& car = *d.car;
  const Box box = BoundsOf(car);
  EXPECT_NEAR(box.high.y - box.low.y, 5000, 100);
  EXPECT_NEAR(box.high.x, -box.low.x, 1);  // symmetric
  EXPECT_GE(box.low.z, 0);                 // nothing below the ground
  EXPECT_LT(box.high.z, 1100);
  const double frontAxle = PointOf(car, kFirstWheelPoint).y;
  const double rearAxle = PointOf(car, kFirstWheelPoint + 2).y;
  // The nose and front wing reach ahead of the front wheels; the tallest point,
  // the rear wing, stands behind the rear wheels, and the nose ahead of it.
  EXPECT_GT(box.high.y, frontAxle + 800);
  EXPECT_LT(ExtremeAlong(car, &Vec3::z, true, &Vec3::y), rearAxle - 300);
  EXPECT_GT(box.high.y - ExtremeAlong(car, &Vec3::z, true, &Vec3::y), 4000);
}

TEST(DemoCar, WheelCentresAtTheFourCornersWithTyresOnTheGround) {
  const DecodedDemo car = DecodeDemo(ShapeKind::Car);
  const DecodedDemo wheel = DecodeDemo(ShapeKind::Wheel);
  const Box tyre = BoundsOf(*wheel.car);
  const Box body = BoundsOf(*car.car);
  // Front left, front right, rear left, rear right.
  const int sides[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
  for (int i = 0; i < 4; ++i) {
    const Vec3 centre = PointOf(*car.car, kFirstWheelPoint + i);
    EXPECT_EQ(centre.x > 0 ? 1 : -1, sides[i][0]) << i;
    EXPECT_EQ(centre.y > 0 ? 1 : -1, sides[i][1]) << i;
    EXPECT_GT(std::abs(centre.x), 600) << i;  // outside the bodywork
    EXPECT_GT(std::abs(centre.y), 1200) << i;
    EXPECT_NEAR(centre.z + tyre.low.z, 0, 5) << i;
    // The tyre stays inside the car's length and width.
    EXPECT_LE(std::abs(centre.x) + tyre.high.x, body.high.x + 100) << i;
  }
  // The tyre turns about the x axis: as tall as it is long, narrower across.
  EXPECT_NEAR(tyre.high.z - tyre.low.z, tyre.high.y - tyre.low.y, 10);
  EXPECT_LT(tyre.high.x - tyre.low.x, tyre.high.z - tyre.low.z);
}

TEST(DemoCar, DriverSitsInTheCockpitBehindTheSteeringWheel) {
  const DecodedDemo car = DecodeDemo(ShapeKind::Car);
  const DecodedDemo helmet = DecodeDemo(ShapeKind::Helmet);
  const DecodedDemo cockpit = DecodeDemo(ShapeKind::Cockpit);
  const DecodedDemo steering = DecodeDemo(ShapeKind::SteeringWheel);
  const Vec3 head = PointOf(*car.car, kHelmetPoint);
  const Box helmetBox = BoundsOf(*helmet.car);
  const Box cockpitBox = BoundsOf(*cockpit.car);
  ASSERT_GT(cockpit.car->m_PointCount, kSteeringWheelPoint);
  const Vec3 wheel = PointOf(*cockpit.car, kSteeringWheelPoint);
  // The helmet is inside the cockpit's outline seen from above, and its top
  // stands above everything of the cockpit.
  EXPECT_GT(head.x, cockpitBox.low.x);
  EXPECT_LT(head.x, cockpitBox.high.x);
  EXPECT_GT(head.y, cockpitBox.low.y);
  EXPECT_LT(head.y, cockpitBox.high.y);
  EXPECT_GT(head.z + helmetBox.high.z, cockpitBox.high.z);
  // The helmet is about as wide as it is tall, a driver's head in size.
  EXPECT_NEAR(helmetBox.high.x - helmetBox.low.x, helmetBox.high.z - helmetBox.low.z, 60);
  EXPECT_GT(helmetBox.high.z - helmetBox.low.z, 200);
  // The steering wheel is ahead of the driver and below his eyes, in front of
  // him on the car's centre line, and smaller than the cockpit is wide.
  EXPECT_GT(wheel.y, head.y + 300);
  EXPECT_LT(wheel.z, head.z);
  EXPECT_EQ(wheel.x, 0);
  const Box steeringBox = BoundsOf(*steering.car);
  EXPECT_LT(steeringBox.high.x - steeringBox.low.x, 400);
  // The car's own body has an opening around the helmet: no car point lies
  // within the helmet's reach above the seat.
  for (int i = 1; i < car.car->m_PointCount; ++i) {
    const Vec3 p = PointOf(*car.car, i);
    const bool overHead = std::abs(p.x - head.x) < 150 && std::abs(p.y - head.y) < 150;
    EXPECT_FALSE(overHead && p.z > head.z + helmetBox.low.z) << i;
  }
}

TEST(DemoCameras, SitAroundTheCarAndLookSomewhere) {
  const DecodedDemo car = DecodeDemo(ShapeKind::Car);
  const Box box = BoundsOf(*car.car);
  std::set<int> directions;
  bool pitched = false;
  bool rolled = false;
  for (const CameraRecord& record : demo::MakeDemoCameras()) {
    // Where the view draws a camera: (-8 X, 8 Z, 8 Y).
    const Vec3 at{-8.0 * record.X, 8.0 * record.Z, 8.0 * record.Y};
    EXPECT_GT(at.x, box.low.x - 100);
    EXPECT_LT(at.x, box.high.x + 100);
    EXPECT_GT(at.y, box.low.y - 100);
    EXPECT_LT(at.y, box.high.y + 100);
    EXPECT_GT(at.z, 200);
    EXPECT_LT(at.z, box.high.z + 150);
    directions.insert(ToDegrees(record.Direction));
    pitched = pitched || record.Pitch != 0;
    rolled = rolled || record.Roll != 0;
  }
  EXPECT_TRUE(directions.count(0));
  EXPECT_TRUE(directions.count(180));
  EXPECT_TRUE(pitched);
  EXPECT_TRUE(rolled);
}

}  // namespace
}  // namespace tavrel::test
