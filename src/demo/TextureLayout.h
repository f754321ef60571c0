#pragma once
// Where the demo car's surfaces land on the four texture slots. texture.cfg
// projects each polygon onto a slot along the axis its face looks down, and
// the livery painter draws stripes and race numbers where those projections
// put the body, the nose and the wings. Texels count from the picture's top
// left; slots 1 to 3 show only rows 0 to 163 of the livery (the rest is the
// built-in bitmap), so every projection stays within them.

#include <vector>

#include "demo/MeshBuilder.h"

namespace tavrel::demo {

// One model axis mapped linearly onto texels: `from` lands on `low`, `to` on
// `high`, clamped to the span between them.
struct AxisMap {
  double Vec3::*axis;
  double from;
  double to;
  int low;
  int high;

  int At(Vec3 p) const;
  // The texel a coordinate lands on, and back.
  double Texel(double coordinate) const;
  double Coordinate(double texel) const;
};

struct Projection {
  int slot;
  AxisMap u;
  AxisMap v;
};

inline constexpr int kLiveryRows = 164;

// Body (slot 1): rows 0 to 119 show the sides, which read left to right from
// outside on both sides of the car (so a race number is not mirrored on the
// left); rows 124 to 163 show the top, across the car.
AxisMap BodyAlong(bool rightSide);
AxisMap BodyHeight();
AxisMap BodyAcross();
// Nose (slot 2): columns 0 to 191 show the top, across and along the nose;
// columns 192 to 255 show the sides, along the nose, over the whole height.
AxisMap NoseAcross();
AxisMap NoseAlong();
AxisMap NoseSideAlong(bool rightSide);
AxisMap NoseHeight();
// Wings (slot 3): planes in columns 0 to 159, the front wing in rows 0 to 79
// and the rear wing in rows 84 to 163; end plates in columns 160 to 207
// (front) and 208 to 255 (rear), over the whole height.
AxisMap WingSpan();
AxisMap WingChord(bool front);
AxisMap EndplateAlong(bool front, bool rightSide);
AxisMap EndplateHeight();

// The projection of a polygon of the car: by its surface, the way it faces
// (its outward normal) and, for wings, which end of the car it is on.
Projection ProjectionFor(Surface surface, Vec3 outward, Vec3 centre);

// The outward normal of a polygon that turns clockwise seen from outside,
// not normalised.
Vec3 OutwardNormal(const std::vector<Vec3>& corners);

}  // namespace tavrel::demo
