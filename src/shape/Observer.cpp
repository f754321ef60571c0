#include "shape/Observer.h"

#include "base/Format.h"
#include "shape/Car.h"
#include "shape/EditorHost.h"

namespace tavrel {

void Vertex::Edit(EditorHost& host) {
  PointValues values{m_X, m_Y, m_Z};
  if (!host.EditPoint(m_Owner, values)) return;
  m_X = values.x;
  m_Y = values.y;
  m_Z = values.z;
  host.SetItemText(m_TreeItem, ShortLabel());
}

void Vertex::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedPoint = this;
}

std::string Vertex::ShortLabel() const {
  return format("v[%d] %d %d %d (u1=%d)", m_Index, m_X, m_Y, m_Z, m_U1);
}

void Point3D::Edit(EditorHost& host) {
  PointValues values{m_From, m_To, m_U1};
  if (!host.EditPoint(m_Owner, values)) return;
  m_From = values.x;
  m_To = values.y;
  m_U1 = values.z;
  host.SetItemText(m_TreeItem, ShortLabel());
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

// An edited data value keeps its tree label: its item shows a line of eight values.
void DatVal::Edit(EditorHost& host) {
  int value = m_Value;
  if (host.EditDataValue(value)) m_Value = value;
}

}  // namespace tavrel
