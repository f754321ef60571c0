#include "scene/PointDrag.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "shape/Car.h"

namespace tavrel {
namespace {

// Where the frame draws the shape a pick tests: a tyre at each wheel, a part
// at its offset, the car at the origin.
std::vector<Vec3> placementsOf(const Car& car, const Car& shape, const PickShapes& shown) {
  if (&shape == car.m_Wheel.get()) return TyrePositions(car);
  if (&shape == car.m_Helmet.get()) return {HelmetOffset(car, shown.showCar)};
  if (&shape == car.m_SteeringWheel.get()) return {SteeringWheelOffset(car, shown.showCockpit)};
  return {{0, 0, 0}};
}

ViewMatrices placed(const ViewMatrices& view, const Vec3& placement) {
  ViewMatrices moved = view;
  moved.modelview = view.modelview * Translation(placement.x, placement.y, placement.z);
  return moved;
}

int wholeCoordinate(double value) {
  const double limit = kLargestCoordinate;
  return static_cast<int>(std::lround(std::clamp(value, -limit, limit)));
}

}  // namespace

PointValues ValuesOfPoint(const Vertex& point) { return {point.m_X, point.m_Y, point.m_Z}; }

std::optional<PointDrag> GrabPoint(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX,
                                   double mouseY) {
  Car* shape = ShapeToPick(car, shown);
  if (shape == nullptr) return std::nullopt;
  std::optional<PointDrag> best;
  double bestDistance = kPickRadius;
  for (const Vec3& placement : placementsOf(car, *shape, shown)) {
    const ViewMatrices placedView = placed(view, placement);
    const std::optional<int> hit = FindPointAt(*shape, placedView, mouseX, mouseY);
    if (!hit) continue;
    const Vec3 p = PointOf(*shape, *hit);
    WindowPoint window;
    if (!ProjectPoint(p, placedView.modelview, placedView.projection, placedView.viewport(), window)) continue;
    const ScreenPoint screen = ScreenPosition(window, view.client);
    const double distance = std::hypot(mouseX - screen.x, mouseY - screen.y);
    if (best && distance >= bestDistance) continue;
    Vertex& point = shape->m_Points[static_cast<std::size_t>(*hit)];
    best = PointDrag{shape, &point, *hit, placement, window.z, ValuesOfPoint(point)};
    bestDistance = distance;
  }
  return best;
}

std::optional<PointValues> DraggedTo(const PointDrag& drag, const ViewMatrices& view, double mouseX, double mouseY) {
  const ViewMatrices placedView = placed(view, drag.placement);
  const WindowPoint window = WindowPosition({mouseX, mouseY}, view.client, drag.depth);
  const std::optional<Vec3> at =
      UnprojectPoint(window, placedView.modelview, placedView.projection, placedView.viewport());
  if (!at) return std::nullopt;
  return PointValues{wholeCoordinate(at->x), wholeCoordinate(at->y), wholeCoordinate(at->z)};
}

}  // namespace tavrel
