#pragma once
// Where a model point shows in a car view's client area, and which point of a
// shape lies under the mouse. Labels and the pick share the screen position, so
// a number is written where its point is picked. All in the view's logical
// pixels: on a high-density display only the GL viewport counts device pixels.

#include <optional>

#include "scene/Viewpoint.h"

namespace tavrel {

class Car;
class Object3D;

// How near the mouse a point must be to be picked, in pixels.
inline constexpr double kPickRadius = 20.0;

// A position in the client area, y growing downwards, in whole pixels.
struct ScreenPoint {
  double x = 0;
  double y = 0;
};

// (cx + trunc(wx - cx), cy - trunc(wy - cy)), (cx, cy) the client's centre in whole pixels.
ScreenPoint ScreenPosition(WindowPoint window, ClientSize client);

// The window position ScreenPosition gives that screen position, at window depth
// `depth` (0 the near plane, 1 the far).
WindowPoint WindowPosition(ScreenPoint screen, ClientSize client, double depth);

// Where the model point shows, or none when the frame does not draw it: in the
// eye's plane, behind the eye, nearer than the near or beyond the far plane.
std::optional<ScreenPoint> ScreenPositionOf(Vec3 point, const ViewMatrices& view);

// The shape's point nearest the mouse and less than 20 pixels from it, the
// lower number of two at equal distance; none when no point is that near.
std::optional<int> FindPointAt(const Object3D& shape, const ViewMatrices& view, double mouseX, double mouseY);

// The display flags that choose the shape a pick tests.
struct PickShapes {
  bool showCar = true;
  bool showHelmet = false;
  bool showCockpit = false;
  bool showTyres = false;
  bool showSWheel = false;
};

// The shape a pick tests: the first shown of car, helmet, cockpit, tyre and
// steering wheel; none when none of them is shown.
Car* ShapeToPick(Car& car, const PickShapes& shown);

// The view with the model moved to `placement`, where the frame draws a part.
ViewMatrices PlacedView(const ViewMatrices& view, Vec3 placement);

// A point of the shape a pick tests, at one place the frame draws that shape.
struct PickedPoint {
  Car* shape = nullptr;  // the car, or the part the point belongs to
  int index = 0;         // the point's number in its shape
  Vec3 placement{};      // where the frame draws the shape
  double depth = 0;      // the point's window depth there
};

// The point of the shape a pick tests nearest the mouse and less than the pick
// radius from it, at every place the frame draws that shape (a tyre at each
// wheel, a part at its offset); the lower number, then the first place, on a
// tie; none when no point is that near.
std::optional<PickedPoint> PickPoint(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX,
                                     double mouseY);

// The pick after each frame: a hit becomes that shape's selected point and the
// car's, so a double click edits it (a part's point then is the car's
// selection). True when the tested shape's selection changed and the view wants
// another frame.
bool PickAfterFrame(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX, double mouseY);

}  // namespace tavrel
