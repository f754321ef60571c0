#include "demo/Solids.h"

#include <cmath>
#include <numbers>

namespace tavrel::demo {
namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Game addresses of each shape's scale table, as a game linked at 0x400000
// would see them.
std::uint32_t baseAddress(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Car:
      return 0x00B6499A;
    case ShapeKind::Wheel:
      return 0x00B84A0C;
    case ShapeKind::Helmet:
      return 0x00B80A4E;
    case ShapeKind::Cockpit:
      return 0x00B7ABF8;
    case ShapeKind::SteeringWheel:
      return 0x00B80858;
  }
  return 0x00B6499A;
}

// Eight scale words, one per detail level, each twice the one before.
std::vector<std::uint8_t> scaleTable(ShapeKind kind) {
  std::vector<std::uint8_t> table;
  const std::uint16_t first = kind == ShapeKind::Car ? 0x0100 : 0x0040;
  for (int level = 0; level < 8; ++level) appendU16(table, static_cast<std::uint16_t>(first << level));
  return table;
}

}  // namespace

Ring SectionRing(const Section& s) {
  return {{s.bottomX, s.y, s.bottomZ}, {s.lowerX, s.y, s.lowerZ},   {s.upperX, s.y, s.upperZ},
          {s.topX, s.y, s.topZ},       {-s.topX, s.y, s.topZ},      {-s.upperX, s.y, s.upperZ},
          {-s.lowerX, s.y, s.lowerZ},  {-s.bottomX, s.y, s.bottomZ}};
}

std::vector<Ring> BoxRings(Vec3 low, Vec3 high) {
  const auto ring = [&](double y) {
    return Ring{{low.x, y, low.z}, {high.x, y, low.z}, {high.x, y, high.z}, {low.x, y, high.z}};
  };
  return {ring(high.y), ring(low.y)};
}

Ring AirfoilRing(double x, double y, double z, double chord, double thickness, double angle) {
  // Chord position and thickness of each point, upper surface first.
  static constexpr double kShape[6][2] = {{0, 0}, {0.15, 1}, {0.6, 0.85}, {1, 0.1}, {0.6, -0.4}, {0.15, -0.5}};
  const double c = std::cos(radians(angle));
  const double s = std::sin(radians(angle));
  Ring ring;
  for (const auto& [along, across] : kShape) {
    const double a = along * chord;
    const double t = across * thickness;
    ring.push_back({x, y - a * c + t * s, z + a * s + t * c});
  }
  return ring;
}

Ring CircleAroundX(double x, double radius, int count, double start) {
  Ring ring;
  for (int i = 0; i < count; ++i) {
    const double a = radians(start + 360.0 * i / count);
    ring.push_back({x, radius * std::cos(a), radius * std::sin(a)});
  }
  return ring;
}

Ring CircleAroundZ(double z, double radius, int count, double start) {
  Ring ring;
  for (int i = 0; i < count; ++i) {
    const double a = radians(start + 360.0 * i / count);
    ring.push_back({radius * std::cos(a), radius * std::sin(a), z});
  }
  return ring;
}

Ring Moved(const Ring& ring, Vec3 offset) {
  Ring moved;
  for (Vec3 p : ring) moved.push_back(p + offset);
  return moved;
}

Ring Mirrored(const Ring& ring) {
  Ring mirrored;
  for (Vec3 p : ring) mirrored.push_back({-p.x, p.y, p.z});
  return mirrored;
}

std::vector<Ring> Mirrored(const std::vector<Ring>& rings) {
  std::vector<Ring> mirrored;
  for (const Ring& ring : rings) mirrored.push_back(Mirrored(ring));
  return mirrored;
}

DemoShape FinishShape(const MeshBuilder& mesh, ShapeKind kind, std::vector<std::uint16_t> dataValues) {
  DemoShape shape;
  shape.kind = kind;
  const std::int16_t magic = kind == ShapeKind::Car ? ShapeHeader::kMagicCar : ShapeHeader::kMagicPart;
  shape.recipe = mesh.Recipe(scaleTable(kind), std::move(dataValues), magic, tableOffset(kind));
  shape.recipe.baseAddress = baseAddress(kind);
  for (int i = 0; i < mesh.PointCount(); ++i) shape.points.push_back(mesh.PointAt(i));
  shape.polygons = mesh.Polygons();
  return shape;
}

}  // namespace tavrel::demo
