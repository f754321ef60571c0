#pragma once
// The decoded element tables of a shape, its selections and its part shapes.

#include <memory>
#include <vector>

#include "shape/Observer.h"

namespace tavrel {

class Car;

class Object3D {
 public:
  Object3D();
  virtual ~Object3D();
  Object3D(const Object3D&) = delete;
  Object3D& operator=(const Object3D&) = delete;

  // Drops the point, connection and command selections; the camera stays selected.
  void ClearSelection();

  std::vector<Vertex> m_Points;
  int m_PointCount = 0;
  std::vector<Point3D> m_Connections;
  int m_ConnectionCount = 0;
  std::vector<TextureCmd> m_Commands;  // 1000 entries once decoded
  int m_CommandCount = 0;
  std::vector<DatVal> m_DataValues;
  int m_DataValueCount = 0;

  Point3D m_ViewCenter;  // X, Y, Z in m_From, m_To, m_U1
  Point3D* m_SelectedConnection = nullptr;
  Vertex* m_SelectedPoint = nullptr;
  TextureCmd* m_SelectedCommand = nullptr;

  // Only a car imported from the game's executable has parts.
  std::unique_ptr<Car> m_Wheel;
  std::unique_ptr<Car> m_Helmet;
  std::unique_ptr<Car> m_Cockpit;
  std::unique_ptr<Car> m_SteeringWheel;

  std::int32_t m_Valid = 0;  // 1 after a decode found a good magic number
};

}  // namespace tavrel
