#include "scene/PointDrag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "ShapePoints.h"
#include "shape/Car.h"

namespace tavrel {
namespace {

constexpr ClientSize kClient{800, 600};

// The normal view from `distance` away, looking down the z axis: x to the right, y up.
ViewMatrices StraightView(double distance) {
  Viewpoint viewpoint;
  viewpoint.m_AngleX = viewpoint.m_AngleY = viewpoint.m_AngleZ = 0;
  viewpoint.m_Distance = distance;
  return ViewMatricesFor(viewpoint, nullptr, kClient);
}

// Model units per pixel in the plane `depth` before the eye: 45 degrees over the client's height.
double UnitsPerPixel(double depth) { return 2 * depth * std::tan(std::numbers::pi / 8) / kClient.height; }

ScreenPoint ShownAt(const Object3D& shape, int index, const Vec3& placement, const ViewMatrices& view) {
  const Vec3 p = PointOf(shape, index);
  const auto screen = ScreenPositionOf(p + placement, view);
  EXPECT_TRUE(screen);
  return screen.value_or(ScreenPoint{});
}

TEST(PointDrag, APointFollowsThePointerInThePlaneFacingTheEye) {
  struct Case {
    Vec3 point;       // where it starts
    double distance;  // of the eye from the origin
    double dx;        // pixels the pointer moves
    double dy;
  };
  const Case cases[] = {
      {{0, 0, 0}, 8000, 50, 0},
      {{0, 0, 0}, 8000, 0, -120},
      {{300, -200, 1000}, 8000, -35, 17},  // nearer the eye: each pixel is fewer units
      {{10, 20, 0}, 3000, 200, 150},
  };
  for (const Case& c : cases) {
    Car car;
    SetPoints(car, {{5000, 5000, 0}, c.point});
    const ViewMatrices view = StraightView(c.distance);
    const ScreenPoint start = ShownAt(car, 1, {0, 0, 0}, view);
    const auto drag = GrabPoint(car, PickShapes{}, view, start.x + 3, start.y - 2);
    ASSERT_TRUE(drag);
    EXPECT_EQ(drag->index, 1);
    EXPECT_EQ(drag->point, &car.m_Points[1]);
    EXPECT_EQ(drag->start, (PointValues{int(c.point.x), int(c.point.y), int(c.point.z)}));

    const auto still = DraggedTo(*drag, view, start.x, start.y);
    const auto to = DraggedTo(*drag, view, start.x + c.dx, start.y + c.dy);
    ASSERT_TRUE(still && to);
    // The plane faces the eye: the depth stays, x and y move by the pixels times
    // the units a pixel spans there (the whole-pixel start cancels out).
    const double perPixel = UnitsPerPixel(c.distance - c.point.z);
    EXPECT_EQ(to->z, c.point.z);
    EXPECT_NEAR(to->x - still->x, c.dx * perPixel, 1);
    EXPECT_NEAR(to->y - still->y, -c.dy * perPixel, 1);
    // And it shows under the pointer again, within a pixel.
    const auto shown = ScreenPositionOf({double(to->x), double(to->y), double(to->z)}, view);
    ASSERT_TRUE(shown);
    EXPECT_NEAR(shown->x, start.x + c.dx, 1);
    EXPECT_NEAR(shown->y, start.y + c.dy, 1);
  }
}

// Near the eye a unit spans several pixels: the point moves by whole units, the nearest.
TEST(PointDrag, CoordinatesAreRoundedToWholeUnitsAndHeldToWhatAPointStores) {
  Car car;
  SetPoints(car, {{0, 0, 0}});
  const ViewMatrices view = StraightView(200);
  const double pixelsPerUnit = 1 / UnitsPerPixel(200);
  ASSERT_GT(pixelsPerUnit, 2.5);
  const ScreenPoint start = ShownAt(car, 0, {0, 0, 0}, view);
  const auto drag = GrabPoint(car, PickShapes{}, view, start.x, start.y);
  ASSERT_TRUE(drag);
  EXPECT_EQ(DraggedTo(*drag, view, start.x + 0.4 * pixelsPerUnit, start.y)->x, 0);
  EXPECT_EQ(DraggedTo(*drag, view, start.x + 0.6 * pixelsPerUnit, start.y)->x, 1);
  EXPECT_EQ(DraggedTo(*drag, view, start.x, start.y + 1.6 * pixelsPerUnit)->y, -2);

  const auto far = DraggedTo(*drag, view, 1e12, -1e12);
  EXPECT_EQ(far->x, kLargestCoordinate);
  EXPECT_EQ(far->y, kLargestCoordinate);
  EXPECT_EQ(DraggedTo(*drag, view, -1e12, start.y)->x, -kLargestCoordinate);
}

TEST(PointDrag, NothingIsGrabbedAwayFromThePointsOrWithNothingShown) {
  Car car;
  SetPoints(car, {{0, 0, 0}});
  const ViewMatrices view = StraightView(8000);
  const ScreenPoint start = ShownAt(car, 0, {0, 0, 0}, view);
  EXPECT_FALSE(GrabPoint(car, PickShapes{}, view, start.x + kPickRadius, start.y));
  EXPECT_FALSE(GrabPoint(car, PickShapes{false}, view, start.x, start.y));
}

// A tyre is drawn at each of car points 37 to 40; its points move in its own coordinates.
TEST(PointDrag, ATyrePointDraggedOnAnyPlacedTyreEndsUnderThePointer) {
  Car car;
  std::vector<Vec3> carPoints(41, Vec3{0, 0, 0});
  const std::vector<Vec3> wheels{{-1500, 1000, 0}, {1500, 1000, 0}, {-1500, -1000, 0}, {1500, -1000, 0}};
  std::copy(wheels.begin(), wheels.end(), carPoints.begin() + 37);
  SetPoints(car, carPoints);
  car.m_Wheel = std::make_unique<Car>();
  SetPoints(*car.m_Wheel, {{0, 0, 0}, {100, 200, 300}});
  PickShapes tyres{};
  tyres.showCar = false;
  tyres.showTyres = true;
  const ViewMatrices view = StraightView(8000);

  for (std::size_t wheel = 0; wheel < wheels.size(); ++wheel) {
    const Vec3& placement = wheels[wheel];
    car.m_Wheel->m_Points[1].m_X = 100, car.m_Wheel->m_Points[1].m_Y = 200;
    const ScreenPoint start = ShownAt(*car.m_Wheel, 1, placement, view);
    const auto drag = GrabPoint(car, tyres, view, start.x, start.y);
    ASSERT_TRUE(drag) << "wheel " << wheel;
    EXPECT_EQ(drag->shape, car.m_Wheel.get());
    EXPECT_EQ(drag->index, 1);
    EXPECT_EQ(drag->placement, placement);

    const auto to = DraggedTo(*drag, view, start.x + 40, start.y + 25);
    ASSERT_TRUE(to);
    car.m_Wheel->m_Points[1].m_X = to->x, car.m_Wheel->m_Points[1].m_Y = to->y, car.m_Wheel->m_Points[1].m_Z = to->z;
    const ScreenPoint shown = ShownAt(*car.m_Wheel, 1, placement, view);
    EXPECT_NEAR(shown.x, start.x + 40, 1) << "wheel " << wheel;
    EXPECT_NEAR(shown.y, start.y + 25, 1) << "wheel " << wheel;
  }
}

}  // namespace
}  // namespace tavrel
