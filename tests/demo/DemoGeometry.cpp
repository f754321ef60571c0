#include "DemoGeometry.h"

#include <algorithm>

#include "shape/PolygonCorners.h"
#include "support/TestSupport.h"

namespace tavrel::test {

DecodedDemo DecodeDemo(ShapeKind kind) {
  DecodedDemo decoded{demo::MakeDemoShape(kind), nullptr};
  decoded.car = DecodedCar(decoded.shape.recipe);
  return decoded;
}

Vec3 PointOf(const Car& shape, int index) {
  const Vertex& v = shape.m_Points[static_cast<std::size_t>(index)];
  return {static_cast<double>(v.m_X), static_cast<double>(v.m_Y), static_cast<double>(v.m_Z)};
}

std::vector<std::vector<int>> DrawnPolygons(const Car& shape) {
  std::vector<std::vector<int>> polygons;
  for (int i = 0; i < shape.m_CommandCount; ++i) {
    const TextureCmd& command = shape.m_Commands[static_cast<std::size_t>(i)];
    if (command.m_IndexCount == 0) continue;
    polygons.emplace_back();
    for (const PolygonCorner& corner : PolygonCorners(shape, command)) polygons.back().push_back(corner.point);
  }
  return polygons;
}

Box BoundsOf(const Car& shape) {
  Box box;
  for (int i = 0; i < shape.m_PointCount; ++i) {
    const Vec3 p = PointOf(shape, i);
    box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
    box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z)};
  }
  return box;
}

}  // namespace tavrel::test
