#pragma once
// Where a car view looks from: the normal view turned by three angles and seen
// from a distance, or the view from one of the car's nine in-car cameras; the
// fixed views, zoom, the animation's spin and the turn of a mouse drag. The view
// loads the matrices made here, so drawing, picking and labels agree.

#include <array>
#include <string_view>

#include "scene/CameraPose.h"
#include "scene/Matrix4.h"

namespace tavrel {

class Car;

// One of the ten fixed views: sets the three angles and nothing else.
struct FixedView {
  std::string_view name;  // the spelling the command line takes; the commands name their view by it
  double angleX;
  double angleY;
  double angleZ;
};

inline constexpr std::array<FixedView, 10> kFixedViews{{
    {"right", -70, 0, 270},
    {"left", -70, 0, 90},
    {"front", -90, 0, 180},
    {"bottom", 180, 0, 90},
    {"top", 0, 0, -90},
    {"back", -90, 0, 0},
    {"front-left", -70, 0, 135},
    {"front-right", -70, 0, 225},
    {"back-left", -70, 0, 45},
    {"back-right", -70, 0, 315},
}};

// The fixed view of that name, or none.
const FixedView* FixedViewNamed(std::string_view name);

// One car view's viewpoint. Not stored: every new view starts like this.
struct Viewpoint {
  static constexpr int kNormalView = 0;

  double m_AngleX = -148;  // degrees
  double m_AngleY = 131;
  double m_AngleZ = 181;
  double m_Distance = 8000;        // of the eye from the model origin, in the normal view
  int m_CameraView = kNormalView;  // 1 to 9: the view from camera 1 to 9
  bool m_Animating = false;

  // Leaves a camera view for the normal view, seen from the fixed view's angles.
  void SetFixedView(const FixedView& view);
  // No limits either way: in then out gives 7680 from 8000, not 8000.
  void ZoomIn() { m_Distance *= 0.8; }
  void ZoomOut() { m_Distance *= 1.2; }
  // One timer tick of the animation; false (nothing turned) when it is not running.
  bool AnimationTick();
};

// The turn of a left-button drag: one degree per pixel, dy about x and dx about
// y, or about z when Ctrl was down as the drag began. Positions are the view's
// logical pixels.
struct MouseRotation {
  bool m_Dragging = false;
  int m_LastX = 0;
  int m_LastY = 0;
  bool m_RotateZ = false;

  void Press(int x, int y, bool ctrlDown);
  // Turns the viewpoint by the move since the last position; false when no drag is on.
  bool MoveTo(int x, int y, Viewpoint& viewpoint);
  void Release();
};

// The view's client area in logical pixels; the frame's viewport covers it whole.
struct ClientSize {
  int width = 0;
  int height = 0;
};

// Everything a frame, its labels and its pick are projected with.
struct ViewMatrices {
  Matrix4 modelview;
  Matrix4 projection;
  ClientSize client;

  Viewport viewport() const { return {0, 0, client.width, client.height}; }
};

// 45 degrees vertically, aspect width / height (the width when the height is 0),
// near 100, far 20000.
Matrix4 ViewProjection(ClientSize client);
// Moved away by the distance, then turned about x, y and z in that order.
Matrix4 NormalModelview(const Viewpoint& viewpoint);
// The modelview of the viewpoint's view; a camera view with no car is the identity.
Matrix4 ViewpointModelview(const Viewpoint& viewpoint, const Car* car);
ViewMatrices ViewMatricesFor(const Viewpoint& viewpoint, const Car* car, ClientSize client);

}  // namespace tavrel
