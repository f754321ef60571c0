#pragma once
// Moving a point with the mouse in a car view. The point under the pointer is
// grabbed where the frame draws it (a tyre's at whichever wheel), then follows
// the pointer in the plane through it that faces the eye, so it stays under the
// pointer. Positions are its shape's own coordinates, in whole units, held to
// what a point can store. All in the view's logical pixels.

#include <optional>

#include "scene/PointPicking.h"
#include "shape/ElementFields.h"

namespace tavrel {

class Car;
class Vertex;

struct PointDrag {
  Car* shape = nullptr;  // the car, or the part the point belongs to
  Vertex* point = nullptr;
  int index = 0;      // the point's number in its shape
  Vec3 placement{};   // where the frame draws the shape
  double depth = 0;   // the point's window depth: the plane it moves in
  PointValues start;  // where it was when grabbed
};

// The point PickPoint finds under the mouse, ready to move; none when no point is that near.
std::optional<PointDrag> GrabPoint(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX,
                                   double mouseY);

// Where the grabbed point goes with the mouse at (mouseX, mouseY); none when the
// view's matrices cannot be undone.
std::optional<PointValues> DraggedTo(const PointDrag& drag, const ViewMatrices& view, double mouseX, double mouseY);

// The values of a point, as the editors and the history take them.
PointValues ValuesOfPoint(const Vertex& point);

}  // namespace tavrel
