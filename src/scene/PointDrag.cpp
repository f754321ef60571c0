#include "scene/PointDrag.h"

#include <algorithm>
#include <cmath>

#include "shape/Car.h"

namespace tavrel {
namespace {

int wholeCoordinate(double value) {
  const double limit = kLargestCoordinate;
  return static_cast<int>(std::lround(std::clamp(value, -limit, limit)));
}

}  // namespace

PointValues ValuesOfPoint(const Vertex& point) { return {point.m_X, point.m_Y, point.m_Z}; }

std::optional<PointDrag> GrabPoint(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX,
                                   double mouseY) {
  const std::optional<PickedPoint> hit = PickPoint(car, shown, view, mouseX, mouseY);
  if (!hit) return std::nullopt;
  Vertex& point = hit->shape->m_Points[static_cast<std::size_t>(hit->index)];
  return PointDrag{hit->shape, &point, hit->index, hit->placement, hit->depth, ValuesOfPoint(point)};
}

std::optional<PointValues> DraggedTo(const PointDrag& drag, const ViewMatrices& view, double mouseX, double mouseY) {
  const ViewMatrices placedView = PlacedView(view, drag.placement);
  const WindowPoint window = WindowPosition({mouseX, mouseY}, view.client, drag.depth);
  const std::optional<Vec3> at =
      UnprojectPoint(window, placedView.modelview, placedView.projection, placedView.viewport());
  if (!at) return std::nullopt;
  return PointValues{wholeCoordinate(at->x), wholeCoordinate(at->y), wholeCoordinate(at->z)};
}

}  // namespace tavrel
