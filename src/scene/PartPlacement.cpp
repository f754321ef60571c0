#include "scene/PartPlacement.h"

#include <algorithm>

#include "shape/Car.h"

namespace tavrel {

int PointCount(const Object3D& shape) { return std::min(shape.m_PointCount, static_cast<int>(shape.m_Points.size())); }
int ConnectionCount(const Object3D& shape) {
  return std::min(shape.m_ConnectionCount, static_cast<int>(shape.m_Connections.size()));
}
int CommandCount(const Object3D& shape) {
  return std::min(shape.m_CommandCount, static_cast<int>(shape.m_Commands.size()));
}

Vec3 PointOf(const Object3D& shape, int index) {
  const Vertex& v = shape.m_Points[static_cast<std::size_t>(index)];
  return {static_cast<double>(v.m_X), static_cast<double>(v.m_Y), static_cast<double>(v.m_Z)};
}

bool HasPoint(const Object3D& shape, int index) {
  return index >= 0 && index < shape.m_PointCount && index < static_cast<int>(shape.m_Points.size());
}

std::vector<Vec3> TyrePositions(const Object3D& car) {
  std::vector<Vec3> positions;
  if (!HasPoint(car, kFirstWheelPoint + kWheelCount - 1)) return positions;
  for (int i = 0; i < kWheelCount; ++i) positions.push_back(PointOf(car, kFirstWheelPoint + i));
  return positions;
}

Vec3 HelmetOffset(const Object3D& car, bool carShown) {
  return carShown && HasPoint(car, kHelmetPoint) ? PointOf(car, kHelmetPoint) : Vec3{0, 0, 0};
}

Vec3 SteeringWheelOffset(const Object3D& car, bool cockpitShown) {
  const Car* cockpit = car.m_Cockpit.get();
  return cockpitShown && cockpit != nullptr && HasPoint(*cockpit, kSteeringWheelPoint)
             ? PointOf(*cockpit, kSteeringWheelPoint)
             : Vec3{0, 0, 0};
}

}  // namespace tavrel
