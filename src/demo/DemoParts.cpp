// The demo car's parts: a tyre on its rim, a helmet with a visor, the cockpit
// furniture around the driver and a small steering wheel with two grips.
#include <cmath>
#include <numbers>

#include "demo/DemoShapes.h"
#include "demo/Solids.h"

namespace tavrel::demo {
namespace {

// A solid of revolution: a profile of (position along the axis, radius) points
// turned around the x or the z axis. Profile ends of radius 0 are single poles.
void addRevolved(MeshBuilder& mesh, const std::vector<std::pair<double, double>>& profile, int count, bool aroundX,
                 const CommandHead& head) {
  std::vector<std::vector<int>> rings;
  for (const auto& [along, radius] : profile) {
    rings.emplace_back();
    if (radius == 0) {
      rings.back().assign(static_cast<std::size_t>(count),
                          mesh.AddPoint(aroundX ? Vec3{along, 0, 0} : Vec3{0, 0, along}));
      continue;
    }
    const Ring ring = aroundX ? CircleAroundX(along, radius, count) : CircleAroundZ(along, radius, count);
    for (Vec3 p : ring) rings.back().push_back(mesh.AddPoint(p));
  }
  std::vector<std::vector<int>> faces;
  for (std::size_t r = 0; r + 1 < rings.size(); ++r) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
      const std::size_t j = (i + 1) % static_cast<std::size_t>(count);
      std::vector<int> face = {rings[r][i], rings[r][j], rings[r + 1][j], rings[r + 1][i]};
      // A pole makes the quad a triangle.
      if (face[0] == face[1]) {
        face.erase(face.begin());
      } else if (face[2] == face[3]) {
        face.pop_back();
      }
      faces.push_back(face);
    }
  }
  mesh.AddSolid(faces, head, Surface::None);
}

}  // namespace

DemoShape MakeDemoWheel() {
  MeshBuilder mesh;
  // Hub, dish, rim lip, sidewall, shoulder and tread, outer face to inner face.
  const std::vector<std::pair<double, double>> profile = {{100, 0},    {100, 50},   {130, 215},  {170, 235},
                                                          {170, 300},  {145, 340},  {-145, 340}, {-170, 300},
                                                          {-170, 235}, {-130, 215}, {-100, 50},  {-100, 0}};
  mesh.AddMarker(0x90, {0x0001, 0x0000, 0x0000});
  addRevolved(mesh, profile, 20, true, {0x01, {}});
  return FinishShape(mesh, ShapeKind::Wheel, {340, 340, 235, 20});
}

DemoShape MakeDemoHelmet() {
  MeshBuilder mesh;
  const std::vector<std::pair<double, double>> shell = {{150, 0},   {140, 70},  {110, 125},  {50, 160},
                                                        {-20, 160}, {-90, 140}, {-130, 100}, {-130, 0}};
  addRevolved(mesh, shell, 12, false, {0x11, {0x1F, 0x0000}});
  // The visor: a curved strip standing just proud of the shell at eye height,
  // facing forwards (+y).
  std::vector<Ring> rings;
  for (int station = 0; station <= 4; ++station) {
    const double a = (40 + 25.0 * station) * std::numbers::pi / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    rings.push_back({{150 * c, 150 * s, -10}, {172 * c, 172 * s, -10}, {172 * c, 172 * s, 60}, {150 * c, 150 * s, 60}});
  }
  mesh.AddLoft(rings, {0x00, {}}, Surface::None);
  return FinishShape(mesh, ShapeKind::Helmet, {160, 300});
}

DemoShape MakeDemoCockpit() {
  MeshBuilder mesh;
  const CommandHead head{0x12, {0x02, 0x0000}};
  const auto box = [&](Vec3 low, Vec3 high) { mesh.AddLoft(BoxRings(low, high), head, Surface::None); };
  const auto pair = [&](Vec3 low, Vec3 high) {
    box(low, high);
    box({-high.x, low.y, low.z}, {-low.x, high.y, high.z});
  };
  box({-220, -560, 180}, {220, -480, 560});  // seat back
  box({-200, -480, 180}, {200, -150, 230});  // seat base
  box({-150, -620, 560}, {150, -560, 700});  // head rest behind the helmet
  pair({200, -620, 560}, {270, -300, 690});  // head rests beside it
  box({-260, 150, 420}, {260, 300, 600});    // dashboard under the front of the rim
  const int column = mesh.PointCount();
  box({-20, 100, 500}, {20, 160, 540});    // steering column
  pair({330, 195, 640}, {430, 215, 655});  // mirror stalks
  pair({430, 180, 630}, {560, 230, 700});  // mirror housings
  // The steering wheel's hub, joined to the driver's end of the column.
  const int hub = mesh.AddPoint({0, 90, 520});
  mesh.Connect(column + 4, hub);
  mesh.SwapPoints(hub, kSteeringWheelPoint);
  return FinishShape(mesh, ShapeKind::Cockpit, {84, 0, 0, 0});
}

DemoShape MakeDemoSteeringWheel() {
  MeshBuilder mesh;
  // A flat wheel across the car facing the driver, with a grip turned back
  // towards him at each side, each drawn from both sides. The part file holds
  // only 496 bytes.
  const auto plate = [&mesh](const std::vector<Vec3>& corners, std::uint16_t opcode) {
    std::vector<int> points;
    for (Vec3 corner : corners) points.push_back(mesh.AddPoint(corner));
    mesh.AddPlate(points, {opcode, {}}, Surface::None);
  };
  plate({{-110, 0, 60}, {110, 0, 60}, {110, 0, -60}, {-110, 0, -60}}, 0x00);
  plate({{105, 0, 60}, {165, -30, 75}, {165, -30, -80}, {105, 0, -60}}, 0x01);
  plate({{-105, 0, 60}, {-105, 0, -60}, {-165, -30, -80}, {-165, -30, 75}}, 0x01);
  return FinishShape(mesh, ShapeKind::SteeringWheel, {1, 0});
}

DemoShape MakeDemoShape(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Car:
      return MakeDemoCar();
    case ShapeKind::Wheel:
      return MakeDemoWheel();
    case ShapeKind::Helmet:
      return MakeDemoHelmet();
    case ShapeKind::Cockpit:
      return MakeDemoCockpit();
    case ShapeKind::SteeringWheel:
      return MakeDemoSteeringWheel();
  }
  return MakeDemoCar();
}

}  // namespace tavrel::demo
