#pragma once
// Rings of points for the demo's lofted solids, and the last step that turns a
// built mesh into a shape of its kind.

#include <cstdint>
#include <vector>

#include "demo/DemoShapes.h"
#include "demo/MeshBuilder.h"

namespace tavrel::demo {

using Ring = std::vector<Vec3>;

// A cross-section across the car at y, symmetric about x = 0: bottom, lower
// side, upper side and top corners of the right half, mirrored to the left.
struct Section {
  double y, bottomX, bottomZ, lowerX, lowerZ, upperX, upperZ, topX, topZ;
};
Ring SectionRing(const Section& s);

// A box-shaped slab between two corners, as the two rings of a loft along y.
std::vector<Ring> BoxRings(Vec3 low, Vec3 high);

// A wing section at x: leading edge at (y, z), running rearwards (towards -y)
// with the given chord and thickness, its trailing edge raised by `angle`
// degrees.
Ring AirfoilRing(double x, double y, double z, double chord, double thickness, double angle);

// A ring of `count` points on a circle around an axis: around x (in the y-z
// plane at x) or around z (in the x-y plane at z), starting at `start` degrees.
Ring CircleAroundX(double x, double radius, int count, double start = 0);
Ring CircleAroundZ(double z, double radius, int count, double start = 0);

// The ring moved by an offset, and mirrored to the other side of the car.
Ring Moved(const Ring& ring, Vec3 offset);
Ring Mirrored(const Ring& ring);
std::vector<Ring> Mirrored(const std::vector<Ring>& rings);

// The shape image of a built mesh: its kind's table offset and magic, a scale
// table, the given data values, addressed as the game's executable would hold it.
DemoShape FinishShape(const MeshBuilder& mesh, ShapeKind kind, std::vector<std::uint16_t> dataValues);

}  // namespace tavrel::demo
