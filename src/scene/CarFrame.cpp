#include "scene/CarFrame.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "scene/CameraPose.h"
#include "scene/Drawing.h"
#include "scene/PartPlacement.h"
#include "shape/Car.h"
#include "shape/PolygonCorners.h"
#include "textures/CarMappingTable.h"

namespace tavrel {
namespace {

constexpr DrawColour kBlack{0, 0, 0};
constexpr DrawColour kRed{1, 0, 0};
constexpr DrawColour kGreen{0, 1, 0};
constexpr DrawColour kBlue{0, 0, 1};
constexpr DrawColour kYellow{1, 1, 0};

// Polygon i of a shape is drawn in entry i mod 12.
constexpr std::array<DrawColour, 12> kPolygonColors{{{1, 0, 0},
                                                     {0, 1, 0},
                                                     {0, 0, 1},
                                                     {1, 1, 0},
                                                     {1, 0, 1},
                                                     {0, 1, 1},
                                                     {0.5, 0, 0},
                                                     {0, 0.5, 0},
                                                     {0, 0, 0.5},
                                                     {0.5, 0.5, 0},
                                                     {0.5, 0, 0.5},
                                                     {0, 0.5, 0.5}}};

constexpr double kMarkerHalfWidth = 60;
constexpr double kCameraAxisLength = 1350;
constexpr double kFrameAxisLength = 10;

bool hasEnds(const Object3D& shape, const Point3D& connection) {
  return HasPoint(shape, connection.m_From) && HasPoint(shape, connection.m_To);
}

class FramePainter {
 public:
  FramePainter(Drawing& drawing, const FrameInput& input)
      : m_Draw(drawing), m_Mapping(input.mapping), m_Flags(input.flags) {}

  void Draw(const Car& car, bool texturesMade) {
    BeginState();
    if (m_Flags.showAxis) Axes(kFrameAxisLength);
    if (m_Flags.showTexture) {
      m_Draw.Enable(Capability::Texturing);
      if (!texturesMade) m_Draw.MakeTextures();
    } else {
      m_Draw.Disable(Capability::Texturing);
    }
    if (m_Flags.showCar) Body(car);
    if (m_Flags.showCameras) Cameras(car);
    const std::vector<PlacedPart> parts = ShownParts(car);
    for (const PlacedPart& part : parts) Part(*part.shape, part.at);
    SelectedPointMarkers(car, parts);
  }

  void Labels(const Car& car) {
    if (m_Flags.showPointNumbers && m_Flags.showCar) PointNumbers(car);
    if (m_Flags.showPointNumbers && m_Flags.showHelmet && car.m_Cockpit) PointNumbers(*car.m_Cockpit);
    if (m_Flags.showVertexNumbers && m_Flags.showCar) ConnectionNumbers(car);
    if (m_Flags.showPolygonNumbers && m_Flags.showCar) PolygonNumbers(car);
    if (m_Flags.showCameraNumbers && m_Flags.showCameras) CameraNumbers(car);
  }

 private:
  void BeginState() {
    SetColor(kBlack);
    Switch(Capability::Texturing, m_Flags.showTexture);
    Switch(Capability::Lighting, m_Flags.showLighting);
    Switch(Capability::Culling, m_Flags.showCulling);
  }

  struct PlacedPart {
    const Car* shape;
    Vec3 at;
  };

  // The parts the flags show, each where it is drawn: a tyre at each wheel position.
  std::vector<PlacedPart> ShownParts(const Car& car) const {
    std::vector<PlacedPart> parts;
    if (m_Flags.showTyres && car.m_Wheel)
      for (const Vec3& at : TyrePositions(car)) parts.push_back({car.m_Wheel.get(), at});
    if (m_Flags.showHelmet && car.m_Helmet) parts.push_back({car.m_Helmet.get(), HelmetOffset(car, m_Flags.showCar)});
    if (m_Flags.showCockpit && car.m_Cockpit) parts.push_back({car.m_Cockpit.get(), {0, 0, 0}});
    if (m_Flags.showSWheel && car.m_SteeringWheel)
      parts.push_back({car.m_SteeringWheel.get(), SteeringWheelOffset(car, m_Flags.showCockpit)});
    return parts;
  }

  // Last and over everything, so no polygon hides the point being worked on.
  void SelectedPointMarkers(const Car& car, const std::vector<PlacedPart>& parts) {
    m_Draw.Disable(Capability::Texturing);
    m_Draw.Disable(Capability::DepthTest);
    if (m_Flags.showCar && car.m_SelectedPoint != nullptr) PointMarker(*car.m_SelectedPoint, {0, 0, 0});
    for (const PlacedPart& part : parts)
      if (part.shape->m_SelectedPoint != nullptr) PointMarker(*part.shape->m_SelectedPoint, part.at);
    m_Draw.Enable(Capability::DepthTest);
  }

  void Body(const Car& car) {
    Polygons(car, {0, 0, 0}, true);
    if (m_Flags.showTexture) m_Draw.Disable(Capability::Texturing);
    SetColor(kBlack);
    if (m_Flags.showPoints) {
      m_Draw.PointSize(2);
      m_Draw.Begin(DrawMode::Points);
      SetColor(kRed);
      for (int i = 0; i < PointCount(car); ++i) Vertex(PointOf(car, i));
      m_Draw.End();
    }
    if (m_Flags.showLines) Connections(car, {0, 0, 0});
  }

  // A part's polygons and connections (whatever showLines says), at `offset`.
  void Part(const Car& part, const Vec3& offset) {
    Polygons(part, offset, false);
    Connections(part, offset);
  }

  void Polygons(const Object3D& shape, const Vec3& offset, bool withTexCoords) {
    m_Draw.PushMatrix();
    m_Draw.Translate(offset.x, offset.y, offset.z);
    for (int i = 0; i < CommandCount(shape); ++i) {
      const TextureCmd& command = shape.m_Commands[static_cast<std::size_t>(i)];
      if (command.m_IndexCount > 0) Polygon(shape, command, i, withTexCoords);
    }
    m_Draw.PopMatrix();
  }

  void Polygon(const Object3D& shape, const TextureCmd& command, int position, bool withTexCoords) {
    const bool selected = &command == shape.m_SelectedCommand;
    SetColor(selected                  ? kYellow
             : m_Flags.showSingleColor ? kRed
                                       : kPolygonColors[static_cast<std::size_t>(position) % kPolygonColors.size()]);
    if (!m_Flags.showFilled && !selected) return;
    // Every shape's polygons look up the car's table.
    const MappingEntry mapping = m_Mapping.GetMapping(position);
    if (m_Flags.showTexture) {
      m_Draw.Enable(Capability::Texturing);
      if (mapping.texture >= 1 && mapping.texture <= 4) m_Draw.BindTexture(mapping.texture);
    }
    const std::vector<PolygonCorner> corners = PolygonCorners(shape, command);
    std::vector<Vec3> points;
    for (const PolygonCorner& corner : corners) points.push_back(PointOf(shape, corner.point));
    const bool hasNormal = command.m_IndexCount >= 3 && points.size() >= 3;
    Vec3 normal{};
    if (hasNormal) {
      normal = Normal(points[0], points[1], points[2]);
      m_Draw.Normal(normal.x, normal.y, normal.z);
    }
    m_Draw.Begin(DrawMode::Polygon);
    Vec3 centre{0, 0, 0};
    for (std::size_t c = 0; c < corners.size(); ++c) {
      const auto k = static_cast<std::size_t>(corners[c].position);
      if (withTexCoords) m_Draw.TexCoord(mapping.u[k] / 256.0, 1 - mapping.v[k] / 256.0);
      Vertex(points[c]);
      centre = centre + points[c];
    }
    m_Draw.End();
    if (m_Flags.showNormals && hasNormal) {
      const double n = static_cast<double>(points.size());
      centre = {centre.x / n, centre.y / n, centre.z / n};
      SetColor(kBlack);
      Line(centre, centre + normal);
    }
    if (selected) StartMarker(shape, corners);
  }

  // ((p2 - p0) x (p1 - p0)) / 1000
  static Vec3 Normal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
    const Vec3 n = cross(p2 - p0, p1 - p0);
    return {n.x / 1000, n.y / 1000, n.z / 1000};
  }

  // The selected command's first two list entries, red then blue, wide.
  void StartMarker(const Object3D& shape, const std::vector<PolygonCorner>& corners) {
    m_Draw.LineWidth(4);
    m_Draw.Begin(DrawMode::Lines);
    const DrawColour colors[2] = {kRed, kBlue};
    for (int k = 0; k < 2; ++k) {
      SetColor(colors[k]);
      for (const PolygonCorner& corner : corners)
        if (corner.position == k) Vertex(PointOf(shape, corner.point));
    }
    m_Draw.End();
    m_Draw.LineWidth(1);
  }

  // One black line per connection whose two points exist.
  void Connections(const Object3D& shape, const Vec3& offset) {
    SetColor(kBlack);
    m_Draw.LineWidth(1);
    for (int i = 0; i < ConnectionCount(shape); ++i) {
      const Point3D& connection = shape.m_Connections[static_cast<std::size_t>(i)];
      if (hasEnds(shape, connection))
        Line(PointOf(shape, connection.m_From) + offset, PointOf(shape, connection.m_To) + offset);
    }
  }

  // A blue cross in the x-y plane under a red point of size 7.
  void PointMarker(const tavrel::Vertex& point, const Vec3& offset) {
    const auto moved = [](std::int32_t coordinate, double by) {
      return static_cast<double>(static_cast<std::int64_t>(coordinate + by));
    };
    const double x = moved(point.m_X, offset.x);
    const double y = moved(point.m_Y, offset.y);
    const double z = moved(point.m_Z, offset.z);
    SetColor(kBlue);
    const double w = kMarkerHalfWidth;
    Line({x - w, y - w, z}, {x + w, y + w, z});
    Line({x + w, y - w, z}, {x - w, y + w, z});
    m_Draw.PointSize(7);
    SetColor(kRed);
    m_Draw.Begin(DrawMode::Points);
    m_Draw.Vertex(x, y, z);
    m_Draw.End();
  }

  void Cameras(const Car& car) {
    for (const Camera& camera : car.m_Cameras) {
      SetColor(&camera == car.m_SelectedCamera ? kRed : kGreen);
      CameraMarker(camera);
    }
  }

  void CameraMarker(const Camera& camera) {
    const CameraPose pose = PoseOf(camera);
    m_Draw.PushMatrix();
    m_Draw.Translate(pose.position.x, pose.position.y, pose.position.z);
    for (const Turn& turn : pose.turns) m_Draw.Rotate(turn.degrees, turn.x, turn.y, turn.z);
    m_Draw.Cylinder(150, 100, 300, 4, 1);
    if (m_Flags.showAxis) Axes(kCameraAxisLength);
    m_Draw.PopMatrix();
  }

  // Red x, green y and blue z from the origin, in one batch.
  void Axes(double length) {
    m_Draw.Begin(DrawMode::Lines);
    const std::pair<DrawColour, Vec3> axes[3] = {
        {kRed, {length, 0, 0}}, {kGreen, {0, length, 0}}, {kBlue, {0, 0, length}}};
    for (const auto& [colour, end] : axes) {
      SetColor(colour);
      Vertex({0, 0, 0});
      Vertex(end);
    }
    m_Draw.End();
  }

  void PointNumbers(const Object3D& shape) {
    for (int i = 0; i < PointCount(shape); ++i) Label(i, PointOf(shape, i));
  }

  // Numbered from 1, at the midpoint in whole units.
  void ConnectionNumbers(const Object3D& shape) {
    const auto mid = [](std::int32_t a, std::int32_t b) {
      const std::int64_t wholeUnits = (static_cast<std::int64_t>(a) + b) / 2;
      return static_cast<double>(wholeUnits);
    };
    for (int i = 0; i < ConnectionCount(shape); ++i) {
      const Point3D& connection = shape.m_Connections[static_cast<std::size_t>(i)];
      if (!hasEnds(shape, connection)) continue;
      const tavrel::Vertex& a = shape.m_Points[static_cast<std::size_t>(connection.m_From)];
      const tavrel::Vertex& b = shape.m_Points[static_cast<std::size_t>(connection.m_To)];
      Label(i + 1, {mid(a.m_X, b.m_X), mid(a.m_Y, b.m_Y), mid(a.m_Z, b.m_Z)});
    }
  }

  // Numbered from 0 as the tree lists the commands, at the average of their corners.
  void PolygonNumbers(const Object3D& shape) {
    for (int i = 0; i < CommandCount(shape); ++i) {
      const std::vector<PolygonCorner> corners = PolygonCorners(shape, shape.m_Commands[static_cast<std::size_t>(i)]);
      if (corners.empty()) continue;
      Vec3 sum{0, 0, 0};
      for (const PolygonCorner& corner : corners) sum = sum + PointOf(shape, corner.point);
      const double n = static_cast<double>(corners.size());
      Label(i, {sum.x / n, sum.y / n, sum.z / n});
    }
  }

  // Numbered from 1 as the tree lists the cameras, at their markers.
  void CameraNumbers(const Car& car) {
    for (std::size_t k = 0; k < car.m_Cameras.size(); ++k)
      Label(static_cast<int>(k) + 1, PoseOf(car.m_Cameras[k]).position);
  }

  void Switch(Capability capability, bool on) {
    if (on)
      m_Draw.Enable(capability);
    else
      m_Draw.Disable(capability);
  }
  void SetColor(const DrawColour& color) { m_Draw.Color(color[0], color[1], color[2]); }
  void Vertex(const Vec3& p) { m_Draw.Vertex(p.x, p.y, p.z); }
  void Line(const Vec3& from, const Vec3& to) {
    m_Draw.Begin(DrawMode::Lines);
    Vertex(from);
    Vertex(to);
    m_Draw.End();
  }
  void Label(int number, const Vec3& at) { m_Draw.Label(std::to_string(number), at.x, at.y, at.z); }

  Drawing& m_Draw;
  const CarMappingTable& m_Mapping;
  const DisplayFlags& m_Flags;
};

}  // namespace

bool DrawCarFrame3D(Drawing& drawing, const FrameInput& input) {
  if (input.car == nullptr) return false;
  FramePainter(drawing, input).Draw(*input.car, input.texturesMade);
  return true;
}

void FrameLabels(Drawing& drawing, const FrameInput& input) {
  if (input.car != nullptr) FramePainter(drawing, input).Labels(*input.car);
}

}  // namespace tavrel
