#include "shape/Object3D.h"

#include "shape/Car.h"

namespace tavrel {

Object3D::Object3D() = default;
Object3D::~Object3D() = default;

void Object3D::ClearSelection() {
  m_SelectedConnection = nullptr;
  m_SelectedPoint = nullptr;
  m_SelectedCommand = nullptr;
}

}  // namespace tavrel
