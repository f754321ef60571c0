#include "scene/Viewpoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "shape/Car.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

void ExpectSameMatrix(const Matrix4& actual, const Matrix4& expected) {
  for (std::size_t i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-12) << "element " << i;
}

TEST(ViewpointTest, ZoomHasNoMemoryOfWhereItStarted) {
  Viewpoint threeIn;
  for (int i = 0; i < 3; ++i) threeIn.ZoomIn();
  EXPECT_DOUBLE_EQ(threeIn.m_Distance, 4096);

  Viewpoint inThenOut;
  inThenOut.ZoomIn();
  inThenOut.ZoomOut();
  EXPECT_DOUBLE_EQ(inThenOut.m_Distance, 7680);
}

TEST(ViewpointTest, FixedViewsSetTheAnglesAndLeaveACameraView) {
  Viewpoint viewpoint;
  viewpoint.m_CameraView = 4;
  viewpoint.ZoomIn();
  const FixedView* top = FixedViewNamed("top");
  ASSERT_NE(top, nullptr);
  viewpoint.SetFixedView(*top);
  EXPECT_EQ(viewpoint.m_AngleX, 0);
  EXPECT_EQ(viewpoint.m_AngleY, 0);
  EXPECT_EQ(viewpoint.m_AngleZ, -90);
  EXPECT_DOUBLE_EQ(viewpoint.m_Distance, 6400);
  EXPECT_EQ(viewpoint.m_CameraView, Viewpoint::kNormalView);

  EXPECT_EQ(FixedViewNamed("back-right")->angleZ, 315);
  EXPECT_EQ(FixedViewNamed("Top"), nullptr);
}

TEST(ViewpointTest, AnimationTurnsOneDegreeAboutYOnlyWhileRunning) {
  Viewpoint viewpoint;
  EXPECT_FALSE(viewpoint.AnimationTick());
  EXPECT_EQ(viewpoint.m_AngleY, 131);
  viewpoint.m_Animating = true;
  EXPECT_TRUE(viewpoint.AnimationTick());
  EXPECT_TRUE(viewpoint.AnimationTick());
  EXPECT_EQ(viewpoint.m_AngleY, 129);
  EXPECT_EQ(viewpoint.m_AngleX, -148);
  EXPECT_EQ(viewpoint.m_AngleZ, 181);
}

TEST(ViewpointTest, DragTurnsOneDegreePerPixelFromTheLastPosition) {
  struct Case {
    bool ctrl;
    double angleY;
    double angleZ;
  };
  // Two moves: by (5, -3), then by (-2, 4) from there.
  for (const Case& c : {Case{false, 131 + 3, 181}, Case{true, 131, 181 + 3}}) {
    Viewpoint viewpoint;
    MouseRotation drag;
    EXPECT_FALSE(drag.MoveTo(50, 50, viewpoint));  // no button down: nothing turns
    drag.Press(10, 10, c.ctrl);
    EXPECT_TRUE(drag.MoveTo(15, 7, viewpoint));
    EXPECT_TRUE(drag.MoveTo(13, 11, viewpoint));
    EXPECT_EQ(viewpoint.m_AngleX, -148 + 1) << "ctrl " << c.ctrl;
    EXPECT_EQ(viewpoint.m_AngleY, c.angleY) << "ctrl " << c.ctrl;
    EXPECT_EQ(viewpoint.m_AngleZ, c.angleZ) << "ctrl " << c.ctrl;
    drag.Release();
    EXPECT_FALSE(drag.MoveTo(100, 100, viewpoint));
    EXPECT_EQ(viewpoint.m_AngleX, -148 + 1);
  }
}

TEST(ViewpointTest, CtrlCountsOnlyAsTheDragBegins) {
  Viewpoint viewpoint;
  MouseRotation drag;
  drag.Press(0, 0, true);
  drag.Release();
  drag.Press(0, 0, false);
  drag.MoveTo(7, 0, viewpoint);
  EXPECT_EQ(viewpoint.m_AngleY, 131 + 7);
  EXPECT_EQ(viewpoint.m_AngleZ, 181);
}

TEST(ViewpointTest, ProjectionAspectIsWidthOverHeightOrTheWidthAlone) {
  ExpectSameMatrix(ViewProjection({800, 400}), Perspective(45, 2.0, 100, 20000));
  ExpectSameMatrix(ViewProjection({640, 0}), Perspective(45, 640, 100, 20000));
  ExpectSameMatrix(ViewProjection({3, 4}), Perspective(45, 0.75, 100, 20000));
}

TEST(ViewpointTest, NormalViewMovesAwayThenTurnsAboutXThenYThenZ) {
  Viewpoint viewpoint;
  viewpoint.m_AngleX = 90;
  viewpoint.m_AngleY = 90;
  viewpoint.m_AngleZ = 0;
  // y first takes (1, 0, 0) to (0, 0, -1), then x takes that to (0, 1, 0).
  EXPECT_TRUE(test::Near(TransformPoint(NormalModelview(viewpoint), {1, 0, 0}), {0, 1, -8000}));

  viewpoint.m_AngleY = 0;
  viewpoint.m_AngleZ = 90;
  // z takes (1, 0, 0) to (0, 1, 0), then x takes that to (0, 0, 1).
  EXPECT_TRUE(test::Near(TransformPoint(NormalModelview(viewpoint), {1, 0, 0}), {0, 0, 1 - 8000}));
}

TEST(ViewpointTest, NormalViewIgnoresTheCarAndItsCameras) {
  Car car;
  car.m_Cameras[0].m_Record.X = 100;
  Viewpoint viewpoint;
  ExpectSameMatrix(ViewpointModelview(viewpoint, &car), NormalModelview(viewpoint));
  ExpectSameMatrix(ViewpointModelview(viewpoint, nullptr), NormalModelview(viewpoint));
}

class CameraViewTest : public ::testing::Test {
 protected:
  CameraViewTest() {
    // Camera 3 of the menu is the car's third camera; the others stand elsewhere.
    Camera& camera = car.m_Cameras[2];
    camera.m_Record.X = 100;
    camera.m_Record.Z = 50;
    camera.m_Record.Y = 20;
    car.m_Cameras[1].m_Record.X = -300;
    car.m_Cameras[3].m_Record.Y = 700;
    viewpoint.m_CameraView = 3;
  }

  Vec3 Seen(Vec3 model) const { return TransformPoint(ViewpointModelview(viewpoint, &car), model); }

  Car car;
  Viewpoint viewpoint;
};

// The eye stands where the marker stands, at (-8 X, 8 Z, 8 Y), and what lies
// ahead of the camera lies ahead of the eye, up above.
TEST_F(CameraViewTest, LooksFromTheMarkerTheWayTheCameraFaces) {
  const Vec3 at = PoseOf(car.m_Cameras[2]).position;
  EXPECT_EQ(at, (Vec3{-800, 400, 160}));
  struct Case {
    const char* name;
    std::int16_t direction, pitch, roll;
    Vec3 ahead;  // model axes
    Vec3 up;
  };
  const Case cases[] = {
      {"level", 0, 0, 0, {0, 1000, 0}, {0, 0, 1000}},          {"looking back", 180, 0, 0, {0, -1000, 0}, {0, 0, 1000}},
      {"looking right", 90, 0, 0, {1000, 0, 0}, {0, 0, 1000}}, {"looking down", 0, -90, 0, {0, 0, -1000}, {0, 1000, 0}},
      {"on its side", 0, 0, 90, {0, 1000, 0}, {1000, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Camera& camera = car.m_Cameras[2];
    camera.m_DirectionDeg = c.direction;
    camera.m_PitchDeg = c.pitch;
    camera.m_RollDeg = c.roll;
    EXPECT_TRUE(test::Near(Seen(at), {0, 0, 0}));
    EXPECT_TRUE(test::Near(Seen(at + c.ahead), {0, 0, -1000}));
    EXPECT_TRUE(test::Near(Seen(at + c.up), {0, 1000, 0}));
  }
}

// The marker is drawn through the same pose: its cone's axis is the line of sight.
TEST_F(CameraViewTest, TheMarkersAxisIsTheLineOfSight) {
  Camera& camera = car.m_Cameras[2];
  camera.m_DirectionDeg = 30;
  camera.m_PitchDeg = -12;
  camera.m_RollDeg = 5;
  const Matrix4 marker = PoseMatrix(PoseOf(camera));
  EXPECT_TRUE(test::Near(Seen(TransformPoint(marker, {0, 0, 300})), {0, 0, -300}));
  EXPECT_TRUE(test::Near(Seen(TransformPoint(marker, {0, 300, 0})), {0, 300, 0}));
}

TEST_F(CameraViewTest, ZoomLeavesItAndAFixedViewReturnsToTheNormalView) {
  const Matrix4 before = ViewpointModelview(viewpoint, &car);
  viewpoint.ZoomOut();
  ExpectSameMatrix(ViewpointModelview(viewpoint, &car), before);
  ExpectSameMatrix(before, CameraModelview(car.m_Cameras[2]));

  viewpoint.SetFixedView(*FixedViewNamed("front"));
  EXPECT_EQ(viewpoint.m_CameraView, Viewpoint::kNormalView);
  ExpectSameMatrix(ViewpointModelview(viewpoint, &car), NormalModelview(viewpoint));
}

TEST_F(CameraViewTest, WithoutACarTheModelviewStaysAsItWas) {
  ExpectSameMatrix(ViewpointModelview(viewpoint, nullptr), Matrix4{});
}

}  // namespace
}  // namespace tavrel
