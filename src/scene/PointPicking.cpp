#include "scene/PointPicking.h"

#include <cmath>
#include <utility>
#include <vector>

#include "scene/PartPlacement.h"
#include "shape/Car.h"

namespace tavrel {

Car* ShapeToPick(Car& car, const PickShapes& shown) {
  if (shown.showCar) return &car;
  const std::pair<bool, Car*> parts[] = {{shown.showHelmet, car.m_Helmet.get()},
                                         {shown.showCockpit, car.m_Cockpit.get()},
                                         {shown.showTyres, car.m_Wheel.get()},
                                         {shown.showSWheel, car.m_SteeringWheel.get()}};
  for (const auto& [isShown, part] : parts)
    if (isShown && part != nullptr) return part;
  return nullptr;
}

ScreenPoint ScreenPosition(WindowPoint window, ClientSize client) {
  // The centre in whole pixels.
  const int centreX = client.width / 2;
  const int centreY = client.height / 2;
  const double cx = centreX;
  const double cy = centreY;
  return {cx + std::trunc(window.x - cx), cy - std::trunc(window.y - cy)};
}

WindowPoint WindowPosition(ScreenPoint screen, ClientSize client, double depth) {
  const int centreY = client.height / 2;
  return {screen.x, 2.0 * centreY - screen.y, depth};
}

std::optional<ScreenPoint> ScreenPositionOf(Vec3 point, const ViewMatrices& view) {
  WindowPoint window;
  if (!ProjectPoint(point, view.modelview, view.projection, view.viewport(), window)) return std::nullopt;
  // Outside the depth range the frame clips the point away; behind the eye it
  // would come out mirrored onto the screen.
  const bool drawn = window.z >= 0 && window.z <= 1 && std::isfinite(window.x) && std::isfinite(window.y);
  if (!drawn) return std::nullopt;
  return ScreenPosition(window, view.client);
}

std::optional<int> FindPointAt(const Object3D& shape, const ViewMatrices& view, double mouseX, double mouseY) {
  double bestDistance = kPickRadius;
  std::optional<int> best;
  for (int i = 0; HasPoint(shape, i); ++i) {
    const Vec3 p = PointOf(shape, i);
    const auto screen = ScreenPositionOf(p, view);
    if (!screen) continue;
    const double distance = std::hypot(mouseX - screen->x, mouseY - screen->y);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

namespace {

// Where the frame draws the shape a pick tests: a tyre at each wheel, a part
// at its offset, the car at the origin.
std::vector<Vec3> placementsOf(const Car& car, const Car& shape, const PickShapes& shown) {
  if (&shape == car.m_Wheel.get()) return TyrePositions(car);
  if (&shape == car.m_Helmet.get()) return {HelmetOffset(car, shown.showCar)};
  if (&shape == car.m_SteeringWheel.get()) return {SteeringWheelOffset(car, shown.showCockpit)};
  return {{0, 0, 0}};
}

}  // namespace

ViewMatrices PlacedView(const ViewMatrices& view, Vec3 placement) {
  ViewMatrices moved = view;
  moved.modelview = view.modelview * Translation(placement.x, placement.y, placement.z);
  return moved;
}

std::optional<PickedPoint> PickPoint(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX,
                                     double mouseY) {
  Car* shape = ShapeToPick(car, shown);
  if (shape == nullptr) return std::nullopt;
  std::optional<PickedPoint> best;
  double bestDistance = kPickRadius;
  for (const Vec3& placement : placementsOf(car, *shape, shown)) {
    const ViewMatrices placedView = PlacedView(view, placement);
    const std::optional<int> hit = FindPointAt(*shape, placedView, mouseX, mouseY);
    if (!hit) continue;
    WindowPoint window;
    if (!ProjectPoint(PointOf(*shape, *hit), placedView.modelview, placedView.projection, placedView.viewport(),
                      window))
      continue;
    const ScreenPoint screen = ScreenPosition(window, view.client);
    const double distance = std::hypot(mouseX - screen.x, mouseY - screen.y);
    if (best && distance >= bestDistance) continue;
    best = PickedPoint{shape, *hit, placement, window.z};
    bestDistance = distance;
  }
  return best;
}

bool PickAfterFrame(Car& car, const PickShapes& shown, const ViewMatrices& view, double mouseX, double mouseY) {
  const std::optional<PickedPoint> hit = PickPoint(car, shown, view, mouseX, mouseY);
  if (!hit) return false;
  Car& shape = *hit->shape;
  Vertex* point = &shape.m_Points[static_cast<std::size_t>(hit->index)];
  const bool changed = shape.m_SelectedPoint != point;
  shape.m_SelectedPoint = point;
  car.m_SelectedPoint = point;
  return changed;
}

}  // namespace tavrel
