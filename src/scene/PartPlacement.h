#pragma once
// Where the car view puts a car's parts: the tyres at car points 37 to 40, the
// helmet at car point 0, the cockpit at the origin, the steering wheel at
// cockpit point 84. The car view and the glTF export both place them here.

#include <vector>

#include "base/Vec3.h"
#include "shape/Object3D.h"
#include "shape/PlacementPoints.h"

namespace tavrel {

// The counts a shape's header gives, as far as its tables reach: a hostile
// file may claim more elements than were decoded.
int PointCount(const Object3D& shape);
int ConnectionCount(const Object3D& shape);
int CommandCount(const Object3D& shape);

// The point's model coordinates; the shape must have it (HasPoint).
Vec3 PointOf(const Object3D& shape, int index);
bool HasPoint(const Object3D& shape, int index);

// The four wheel positions in order; none when the car has fewer than 41 points.
std::vector<Vec3> TyrePositions(const Object3D& car);
// Car point 0 while the car is shown and has it, else the origin.
Vec3 HelmetOffset(const Object3D& car, bool carShown);
// Cockpit point 84 while the cockpit is shown and has it, else the origin.
Vec3 SteeringWheelOffset(const Object3D& car, bool cockpitShown);

}  // namespace tavrel
