#include "shape/Observer.h"

#include "base/Format.h"
#include "shape/Car.h"

namespace tavrel {

void Vertex::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedPoint = this;
}

void Point3D::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedConnection = this;
}

void TextureCmd::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedCommand = this;
}

}  // namespace tavrel
