#include "shape/PolygonCorners.h"

#include <algorithm>
#include <cstdlib>

namespace tavrel {

std::vector<PolygonCorner> PolygonCorners(const Object3D& shape, const TextureCmd& command) {
  std::vector<PolygonCorner> corners;
  const int count = std::min(command.m_IndexCount, TextureCmd::kMaxArgs);
  for (int k = 0; k < count; ++k) {
    const int entry = command.m_Indices[static_cast<std::size_t>(k)];
    const int connection = std::abs(entry);
    if (connection < 1 ||
        connection > std::min<int>(shape.m_ConnectionCount, static_cast<int>(shape.m_Connections.size())))
      continue;
    const Point3D& walked = shape.m_Connections[static_cast<std::size_t>(connection - 1)];
    const int point = entry > 0 ? walked.m_From : walked.m_To;
    if (point < 0 || point >= std::min<int>(shape.m_PointCount, static_cast<int>(shape.m_Points.size()))) continue;
    corners.push_back({k, point});
  }
  return corners;
}

}  // namespace tavrel
