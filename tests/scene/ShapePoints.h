#pragma once
// A shape made of nothing but points, for the picking and dragging tests.

#include <vector>

#include "scene/Matrix4.h"
#include "shape/Object3D.h"

namespace tavrel {

inline void SetPoints(Object3D& shape, const std::vector<Vec3>& points) {
  shape.m_Points.assign(points.size(), Vertex{});
  for (std::size_t i = 0; i < points.size(); ++i) {
    shape.m_Points[i].m_X = static_cast<int>(points[i].x);
    shape.m_Points[i].m_Y = static_cast<int>(points[i].y);
    shape.m_Points[i].m_Z = static_cast<int>(points[i].z);
  }
  shape.m_PointCount = static_cast<int>(points.size());
}

}  // namespace tavrel
