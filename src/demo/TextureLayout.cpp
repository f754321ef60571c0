#include "demo/TextureLayout.h"

#include <algorithm>
#include <cmath>

namespace tavrel::demo {
namespace {

constexpr int kLastColumn = 255;
constexpr int kLastRow = kLiveryRows - 1;

enum class Facing { Side, End, Up, Down };

Facing facingOf(Vec3 n) {
  const double ax = std::abs(n.x);
  const double ay = std::abs(n.y);
  const double az = std::abs(n.z);
  if (az >= ax && az >= ay) return n.z > 0 ? Facing::Up : Facing::Down;
  return ax >= ay ? Facing::Side : Facing::End;
}

// Slot 4, the chassis picture, taken along whichever axis a face looks down.
Projection carbon(Facing facing) {
  const AxisMap across{&Vec3::x, -1000, 1000, 0, kLastColumn};
  const AxisMap height{&Vec3::z, 1100, 0, 0, kLastRow};
  switch (facing) {
    case Facing::Side:
      return {4, {&Vec3::y, 2500, -2500, 0, kLastColumn}, height};
    case Facing::End:
      return {4, across, height};
    case Facing::Up:
    case Facing::Down:
      break;
  }
  return {4, across, {&Vec3::y, 2500, -2500, 0, kLastRow}};
}

Projection body(Facing facing, bool right) {
  switch (facing) {
    case Facing::Side:
      return {1, BodyAlong(right), BodyHeight()};
    case Facing::End:
      return {1, {&Vec3::x, -820, 820, 0, kLastColumn}, BodyHeight()};
    case Facing::Up:
    case Facing::Down:
      break;
  }
  return {1, BodyAlong(true), BodyAcross()};
}

Projection nose(Facing facing, bool right) {
  switch (facing) {
    case Facing::Side:
      return {2, NoseSideAlong(right), NoseHeight()};
    case Facing::End:
      return {2, NoseAcross(), {&Vec3::z, 700, 0, 0, kLastRow}};
    case Facing::Up:
    case Facing::Down:
      break;
  }
  return {2, NoseAcross(), NoseAlong()};
}

Projection wing(Facing facing, bool right, bool front) {
  switch (facing) {
    case Facing::Side:
      return {3, EndplateAlong(front, right), EndplateHeight()};
    case Facing::End:
      return {3, WingSpan(), front ? AxisMap{&Vec3::z, 300, 50, 0, 79} : AxisMap{&Vec3::z, 1000, 300, 84, kLastRow}};
    case Facing::Up:
    case Facing::Down:
      break;
  }
  return {3, WingSpan(), WingChord(front)};
}

}  // namespace

double AxisMap::Texel(double coordinate) const { return low + (coordinate - from) / (to - from) * (high - low); }

double AxisMap::Coordinate(double texel) const { return from + (texel - low) / (high - low) * (to - from); }

int AxisMap::At(Vec3 p) const {
  const double texel =
      std::clamp(Texel(p.*axis), static_cast<double>(std::min(low, high)), static_cast<double>(std::max(low, high)));
  return static_cast<int>(std::lround(texel));
}

AxisMap BodyAlong(bool rightSide) {
  return rightSide ? AxisMap{&Vec3::y, -2150, 350, 0, kLastColumn} : AxisMap{&Vec3::y, 350, -2150, 0, kLastColumn};
}
AxisMap BodyHeight() { return {&Vec3::z, 1050, 50, 0, 119}; }
AxisMap BodyAcross() { return {&Vec3::x, -820, 820, 124, kLastRow}; }
AxisMap NoseAcross() { return {&Vec3::x, -400, 400, 0, 191}; }
AxisMap NoseAlong() { return {&Vec3::y, 2500, 300, 0, kLastRow}; }
AxisMap NoseSideAlong(bool rightSide) {
  return rightSide ? AxisMap{&Vec3::y, 300, 2500, 192, kLastColumn} : AxisMap{&Vec3::y, 2500, 300, 192, kLastColumn};
}
AxisMap NoseHeight() { return {&Vec3::z, 700, 0, 0, kLastRow}; }
AxisMap WingSpan() { return {&Vec3::x, -900, 900, 0, 159}; }
AxisMap WingChord(bool front) {
  return front ? AxisMap{&Vec3::y, 2510, 2120, 0, 79} : AxisMap{&Vec3::y, -2110, -2510, 84, kLastRow};
}
AxisMap EndplateAlong(bool front, bool rightSide) {
  const auto [first, last] = front ? std::pair{160, 207} : std::pair{208, kLastColumn};
  const auto [rear, ahead] = front ? std::pair{2130.0, 2510.0} : std::pair{-2510.0, -2110.0};
  return rightSide ? AxisMap{&Vec3::y, rear, ahead, first, last} : AxisMap{&Vec3::y, ahead, rear, first, last};
}
AxisMap EndplateHeight() { return {&Vec3::z, 1000, 0, 0, kLastRow}; }

Projection ProjectionFor(Surface surface, Vec3 outward, Vec3 centre) {
  const Facing facing = facingOf(outward);
  const bool right = outward.x > 0;
  if (surface == Surface::Carbon || facing == Facing::Down) return carbon(facing);
  switch (surface) {
    case Surface::Body:
      return body(facing, right);
    case Surface::Nose:
      return nose(facing, right);
    case Surface::Wing:
      return wing(facing, right, centre.y > 0);
    case Surface::None:
    case Surface::Carbon:
      break;
  }
  return carbon(facing);
}

Vec3 OutwardNormal(const std::vector<Vec3>& corners) {
  Vec3 newell;
  for (std::size_t k = 0; k < corners.size(); ++k)
    newell = newell + cross(corners[k], corners[(k + 1) % corners.size()]);
  return newell * -1.0;
}

}  // namespace tavrel::demo
