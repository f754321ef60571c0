#include "scene/PointPicking.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "ShapePoints.h"
#include "shape/Car.h"

namespace tavrel {
namespace {

// A 1024 x 1024 client where model (x, y, 0) shows at client (512 + x, 512 - y):
// the scale is a power of two, so every position is exact.
ViewMatrices PixelView() {
  Matrix4 scale;
  scale.at(0, 0) = scale.at(1, 1) = scale.at(2, 2) = 1.0 / 512;
  return {scale, Matrix4{}, {1024, 1024}};
}

// The normal view from 8000 away, turned by nothing.
ViewMatrices StraightView(ClientSize client) {
  Viewpoint viewpoint;
  viewpoint.m_AngleX = viewpoint.m_AngleY = viewpoint.m_AngleZ = 0;
  return ViewMatricesFor(viewpoint, nullptr, client);
}

TEST(ScreenPositionTest, TruncatesTowardsTheClientCentreAndTurnsYDownwards) {
  struct Case {
    WindowPoint window;
    ClientSize client;
    double x;
    double y;
  };
  const Case cases[] = {
      {{400, 200, 0}, {801, 401}, 400, 200},      // the centre counts in whole pixels
      {{410.7, 190.2, 0}, {801, 401}, 410, 209},  // right of and below the centre
      {{389.5, 210.9, 0}, {801, 401}, 390, 190},  // left of and above it
      {{0, 0, 0}, {640, 480}, 0, 480},            // the window's bottom left
  };
  for (const Case& c : cases) {
    const ScreenPoint screen = ScreenPosition(c.window, c.client);
    EXPECT_EQ(screen.x, c.x) << c.window.x << "," << c.window.y;
    EXPECT_EQ(screen.y, c.y) << c.window.x << "," << c.window.y;
  }
}

TEST(ScreenPositionTest, PointsOnTheViewAxisShowAtTheClientCentre) {
  Viewpoint turned;
  const ViewMatrices view = ViewMatricesFor(turned, nullptr, {800, 601});
  // The model point that the three turns bring onto the axis 1000 units before the origin.
  const Vec3 onAxis = TransformPoint(
      Rotation(-turned.m_AngleZ, 0, 0, 1) * Rotation(-turned.m_AngleY, 0, 1, 0) * Rotation(-turned.m_AngleX, 1, 0, 0),
      {0, 0, 1000});
  for (Vec3 point : {Vec3{0, 0, 0}, onAxis}) {
    const auto screen = ScreenPositionOf(point, view);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->x, 400);
    EXPECT_EQ(screen->y, 300);
  }
}

TEST(ScreenPositionTest, PointsTheFrameDoesNotDrawHaveNone) {
  const ViewMatrices view = StraightView({800, 600});
  EXPECT_TRUE(ScreenPositionOf({0, 0, 7800}, view));     // just beyond the near plane
  EXPECT_FALSE(ScreenPositionOf({0, 0, 7950}, view));    // nearer than the near plane
  EXPECT_FALSE(ScreenPositionOf({0, 0, 8000}, view));    // in the eye's plane
  EXPECT_FALSE(ScreenPositionOf({0, 0, 9000}, view));    // behind the eye, where it would mirror onto the centre
  EXPECT_FALSE(ScreenPositionOf({0, 0, -12500}, view));  // beyond the far plane
  EXPECT_FALSE(ScreenPositionOf({0, 0, 0}, StraightView({0, 0})));
}

TEST(FindPointAtTest, NearestWithinTwentyPixelsAndTheLowerNumberOnATie) {
  struct Case {
    std::vector<Vec3> points;
    std::optional<int> picked;
  };
  const Case cases[] = {
      {{{15, 0, 0}, {5, 5, 0}, {-3, 0, 0}}, 2},                // nearest, not first
      {{{15, 0, 0}, {5, 0, 0}, {0, -5, 0}, {-4, 3, 0}}, 1},    // three at 5 pixels
      {{{20, 0, 0}, {0, 20, 0}, {12, -16, 0}}, std::nullopt},  // exactly 20 is too far
      {{{20, 0, 0}, {12, 15, 0}}, 1},                          // 19.2
      {{}, std::nullopt},
  };
  for (const Case& c : cases) {
    Car shape;
    SetPoints(shape, c.points);
    EXPECT_EQ(FindPointAt(shape, PixelView(), 512, 512), c.picked) << c.points.size() << " points";
  }
}

TEST(FindPointAtTest, MouseBetweenPixelsAndOnlyTheShapesCountedPoints) {
  Car shape;
  SetPoints(shape, {{10, 0, 0}, {0, 0, 0}});
  EXPECT_EQ(FindPointAt(shape, PixelView(), 512.4, 512 - 19.9), 1);
  EXPECT_EQ(FindPointAt(shape, PixelView(), 512, 512 + 20.5), std::nullopt);
  shape.m_PointCount = 1;  // the table holds more than the shape counts
  EXPECT_EQ(FindPointAt(shape, PixelView(), 512, 512), 0);
  shape.m_PointCount = 5;  // or claims more than it holds
  EXPECT_EQ(FindPointAt(shape, PixelView(), 512, 512), 1);
}

TEST(FindPointAtTest, SkipsPointsTheFrameDoesNotDraw) {
  Car shape;
  SetPoints(shape, {{0, 0, 9000}, {0, 0, 8000}, {0, 0, -13000}, {0, 500, 0}});
  const ViewMatrices view = StraightView({800, 600});
  EXPECT_EQ(FindPointAt(shape, view, 400, 300), std::nullopt);
  const auto upper = ScreenPositionOf({0, 500, 0}, view);
  ASSERT_TRUE(upper);
  EXPECT_EQ(FindPointAt(shape, view, upper->x, upper->y), 3);
}

// A car and its four parts, each with a point at the client centre, so the pick
// order alone decides; the car's point 0 stands elsewhere, its points 37 to 40,
// where the tyres are drawn, at the centre too.
struct CarWithParts {
  CarWithParts() {
    std::vector<Vec3> points(41);
    points[0] = {300, 300, 0};
    SetPoints(car, points);
    for (auto* part : {&car.m_Helmet, &car.m_Cockpit, &car.m_Wheel, &car.m_SteeringWheel}) {
      *part = std::make_unique<Car>();
      SetPoints(**part, {{0, 0, 0}});
    }
  }

  bool Pick(const PickShapes& shown, double x = 512, double y = 512) {
    return PickAfterFrame(car, shown, PixelView(), x, y);
  }

  Car car;
};

TEST(PickAfterFrameTest, TestsTheFirstShownShapeOnly) {
  struct Case {
    PickShapes shown;
    std::unique_ptr<Car> Object3D::*missing;  // a part the car lacks, or none
    std::unique_ptr<Car> Object3D::*picked;   // the part picked, or none for the car
  };
  const Case cases[] = {
      {{true, true, true, true, true}, nullptr, nullptr},
      {{false, true, true, true, true}, nullptr, &Object3D::m_Helmet},
      {{false, true, true, true, true}, &Object3D::m_Helmet, &Object3D::m_Cockpit},
      {{false, false, true, true, true}, nullptr, &Object3D::m_Cockpit},
      {{false, false, false, true, true}, nullptr, &Object3D::m_Wheel},
      {{false, false, false, true, true}, &Object3D::m_Wheel, &Object3D::m_SteeringWheel},
      {{false, false, false, false, true}, nullptr, &Object3D::m_SteeringWheel},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    CarWithParts scene;
    if (c.missing != nullptr) (scene.car.*c.missing).reset();
    EXPECT_TRUE(scene.Pick(c.shown)) << "case " << i;
    Object3D& picked = c.picked == nullptr ? scene.car : *(scene.car.*c.picked);
    Vertex* const expected = &picked.m_Points[c.picked == nullptr ? 1 : 0];
    EXPECT_EQ(picked.m_SelectedPoint, expected) << "case " << i;
    // The car's selection follows, so a double click edits the picked point.
    EXPECT_EQ(scene.car.m_SelectedPoint, expected) << "case " << i;
    for (auto* part : {&scene.car.m_Helmet, &scene.car.m_Cockpit, &scene.car.m_Wheel, &scene.car.m_SteeringWheel})
      if (*part && part->get() != &picked) {
        EXPECT_EQ((*part)->m_SelectedPoint, nullptr) << "case " << i;
      }
  }
}

TEST(PickAfterFrameTest, PartsArePickedWhereTheFrameDrawsThem) {
  CarWithParts scene;
  Car& car = scene.car;
  // The tyres are drawn at car points 37 to 40 even with the car hidden: the
  // wheel's own point 0 shows at each of them, never at the centre.
  std::vector<Vec3> points(41, Vec3{-300, -300, 0});
  points[40] = {200, 100, 0};
  SetPoints(car, points);
  const PickShapes tyres{false, false, false, true, false};
  EXPECT_FALSE(scene.Pick(tyres));
  EXPECT_EQ(car.m_Wheel->m_SelectedPoint, nullptr);
  EXPECT_TRUE(scene.Pick(tyres, 512 + 200, 512 - 100));
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Wheel->m_Points[0]);
}

TEST(PickAfterFrameTest, OnlyAChangedSelectionWantsAnotherFrame) {
  CarWithParts scene;
  Car& car = scene.car;
  const PickShapes carShown{};
  EXPECT_TRUE(scene.Pick(carShown));
  EXPECT_FALSE(scene.Pick(carShown));            // the same point again
  EXPECT_FALSE(scene.Pick(carShown, 100, 100));  // nothing there: the selection stays
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[1]);
  EXPECT_TRUE(scene.Pick(carShown, 812, 212));
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[0]);

  // The cockpit's own selection decides; the car's follows it after any hit.
  const PickShapes cockpit{false, false, true, false, false};
  EXPECT_TRUE(scene.Pick(cockpit));
  car.m_SelectedPoint = nullptr;
  EXPECT_FALSE(scene.Pick(cockpit));
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Cockpit->m_Points[0]);

  EXPECT_FALSE(scene.Pick({false, false, false, false, false}));
}

}  // namespace
}  // namespace tavrel
