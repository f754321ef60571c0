#include "scene/Viewpoint.h"

#include "shape/Car.h"

namespace tavrel {

const FixedView* FixedViewNamed(std::string_view name) {
  for (const FixedView& view : kFixedViews)
    if (view.name == name) return &view;
  return nullptr;
}

void Viewpoint::SetFixedView(const FixedView& view) {
  m_AngleX = view.angleX;
  m_AngleY = view.angleY;
  m_AngleZ = view.angleZ;
  m_CameraView = kNormalView;
}

bool Viewpoint::AnimationTick() {
  if (!m_Animating) return false;
  m_AngleY -= 1.0;
  return true;
}

void MouseRotation::Press(int x, int y, bool ctrlDown) {
  m_Dragging = true;
  m_LastX = x;
  m_LastY = y;
  m_RotateZ = ctrlDown;
}

bool MouseRotation::MoveTo(int x, int y, Viewpoint& viewpoint) {
  if (!m_Dragging) return false;
  const int dx = x - m_LastX;
  const int dy = y - m_LastY;
  m_LastX = x;
  m_LastY = y;
  viewpoint.m_AngleX += dy;
  (m_RotateZ ? viewpoint.m_AngleZ : viewpoint.m_AngleY) += dx;
  return true;
}

void MouseRotation::Release() {
  m_Dragging = false;
  m_RotateZ = false;
}

Matrix4 ViewProjection(ClientSize client) {
  const double aspect =
      client.height == 0 ? client.width : static_cast<double>(client.width) / static_cast<double>(client.height);
  return Perspective(45.0, aspect, 100.0, 20000.0);
}

Matrix4 NormalModelview(const Viewpoint& viewpoint) {
  return Translation(0, 0, -viewpoint.m_Distance) * Rotation(viewpoint.m_AngleX, 1, 0, 0) *
         Rotation(viewpoint.m_AngleY, 0, 1, 0) * Rotation(viewpoint.m_AngleZ, 0, 0, 1);
}

Matrix4 ViewpointModelview(const Viewpoint& viewpoint, const Car* car) {
  const int camera = viewpoint.m_CameraView;
  if (camera < 1 || camera > Car::kCameraCount) return NormalModelview(viewpoint);
  if (car == nullptr) return Matrix4{};
  return CameraModelview(car->m_Cameras[static_cast<std::size_t>(camera - 1)]);
}

ViewMatrices ViewMatricesFor(const Viewpoint& viewpoint, const Car* car, ClientSize client) {
  return {ViewpointModelview(viewpoint, car), ViewProjection(client), client};
}

}  // namespace tavrel
