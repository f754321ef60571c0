#include "scene/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/TestSupport.h"

namespace tavrel {
namespace {

TEST(Matrix4Test, TurnsFollowTheRightHandAboutEachAxis) {
  EXPECT_TRUE(test::Near(TransformPoint(Rotation(90, 0, 0, 1), {1, 0, 0}), {0, 1, 0}));
  EXPECT_TRUE(test::Near(TransformPoint(Rotation(90, 1, 0, 0), {0, 1, 0}), {0, 0, 1}));
  EXPECT_TRUE(test::Near(TransformPoint(Rotation(90, 0, 2, 0), {0, 0, 1}), {1, 0, 0}));  // axis length does not matter
}

TEST(Matrix4Test, ProductAppliesTheRightHandMatrixFirst) {
  const Matrix4 moveThenTurn = Rotation(90, 0, 0, 1) * Translation(1, 0, 0);
  EXPECT_TRUE(test::Near(TransformPoint(moveThenTurn, {0, 0, 0}), {0, 1, 0}));
  EXPECT_DOUBLE_EQ(moveThenTurn.m[13], 1.0);  // column-major: the translation sits in the last column
}

TEST(Matrix4Test, LookAtPutsTheCentreStraightAheadAndUpUpwards) {
  const Matrix4 view = LookAt({0, 0, 10}, {0, 0, 0}, {0, 1, 0});
  EXPECT_TRUE(test::Near(TransformPoint(view, {0, 0, 0}), {0, 0, -10}));
  EXPECT_TRUE(test::Near(TransformPoint(view, {0, 1, 0}), {0, 1, -10}));
}

TEST(Matrix4Test, ProjectionMapsTheViewAxisToTheViewportCentre) {
  const Matrix4 projection = Perspective(45, 2.0, 100, 20000);
  const Matrix4 modelview = Translation(0, 0, -8000);
  const Viewport viewport{0, 0, 800, 400};
  WindowPoint centre;
  ASSERT_TRUE(ProjectPoint({0, 0, 0}, modelview, projection, viewport, centre));
  EXPECT_DOUBLE_EQ(centre.x, 400);
  EXPECT_DOUBLE_EQ(centre.y, 200);
  // The top edge of the 45-degree field of view at that distance.
  const double halfHeight = 8000 * std::tan(22.5 * std::numbers::pi / 180);
  WindowPoint top;
  ASSERT_TRUE(ProjectPoint({0, halfHeight, 0}, modelview, projection, viewport, top));
  EXPECT_NEAR(top.y, 400, 1e-6);
  WindowPoint inEyePlane;
  EXPECT_FALSE(ProjectPoint({0, 0, 8000}, modelview, projection, viewport, inEyePlane));
}

}  // namespace
}  // namespace tavrel
