#include "shape/Observer.h"

#include "base/Format.h"
#include "shape/Car.h"

namespace tavrel {

void Vertex::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedPoint = this;
}

std::string Vertex::ShortLabel() const {
  return format("v[%d] %d %d %d (u1=%d)", m_Index, m_X, m_Y, m_Z, m_U1);
}

void Point3D::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedConnection = this;
}

std::string Point3D::ShortLabel() const {
  return format("v[%d] %d %d  (u1=%d u2=%d)", m_Index + 1, m_From, m_To, m_U1, m_U2);
}

void TextureCmd::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedCommand = this;
}

}  // namespace tavrel
