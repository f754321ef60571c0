#include "shape/ShapeCheck.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "base/Format.h"
#include "shape/Car.h"
#include "shape/ExePositions.h"
#include "shape/PartFile.h"
#include "shape/PlacementPoints.h"
#include "shape/PolygonCorners.h"
#include "shape/ShapeLayout.h"
#include "textures/CarMappingTable.h"

namespace tavrel {
namespace {

// One region of the image: where the header puts it, and how many records it
// holds (negative when it ends before it begins).
struct Region {
  const char* name;
  std::int64_t begin;
  std::int64_t count;
  int recordSize;

  std::int64_t end() const { return begin + count * recordSize; }
  bool empty() const { return count <= 0; }
};

// The command list as far as its commands were decoded: a command that starts
// before the end of the list is read whole, so the list may reach past it.
std::int64_t commandsEnd(const Car& shape, const ShapeLayout& layout) {
  std::int64_t end = layout.commands;
  for (int i = 0; i < shape.m_CommandCount; ++i)
    end += 2 * (2 + shape.m_Commands[static_cast<std::size_t>(i)].m_ArgCount);
  return std::max(end, layout.commandsEnd);
}

std::vector<Region> regionsOf(const Car& shape, ShapeKind kind) {
  const int tableOffset = tavrel::tableOffset(kind);
  const ShapeLayout layout = LayoutOf(*shape.m_Header, tableOffset);
  const std::int64_t commands = layout.commandsEnd < layout.commands ? layout.commandsEnd - layout.commands
                                                                     : commandsEnd(shape, layout) - layout.commands;
  return {
      {"scale table", tableOffset, layout.scaleTableEnd - tableOffset, 1},
      {"command list", layout.commands, commands, 1},
      {"points", layout.points, layout.pointCount, kPointRecordSize},
      {"connections", layout.connections, layout.connectionCount, kConnectionRecordSize},
      {"data values", layout.dataValues, layout.dataValueCount, kDataValueSize},
  };
}

std::string shapeLabel(ShapeKind kind) {
  std::string label(kindName(kind));
  std::ranges::replace(label, '-', ' ');
  return label;
}

void checkLayout(const Car& shape, ShapeKind kind, std::vector<ShapeProblem>& problems) {
  const int tableOffset = tavrel::tableOffset(kind);
  const std::size_t room = ShapeRoom(kind);
  for (const Region& region : regionsOf(shape, kind)) {
    if (region.count < 0)
      problems.push_back({Severity::Error, format("its %s region ends before it begins", region.name)});
    else if (region.empty())
      continue;
    else if (region.begin < tableOffset)
      problems.push_back({Severity::Error, format("its %s region starts at byte %lld, inside its header (its tables "
                                                  "start at byte %d)",
                                                  region.name, static_cast<long long>(region.begin), tableOffset)});
    else if (region.end() > static_cast<std::int64_t>(room))
      problems.push_back(
          {Severity::Error, format("its %s region ends at byte %lld, past the %zu bytes a %s has", region.name,
                                   static_cast<long long>(region.end()), room, shapeLabel(kind).c_str())});
  }
}

bool isPolygon(const TextureCmd& command) { return command.m_Opcode < 0x7F && command.m_IndexCount > 0; }

void checkIndices(const Car& shape, ShapeKind kind, std::vector<ShapeProblem>& problems) {
  const std::string label = shapeLabel(kind);
  for (int i = 0; i < shape.m_ConnectionCount; ++i) {
    const Point3D& connection = shape.m_Connections[static_cast<std::size_t>(i)];
    for (const int point : {connection.m_From, connection.m_To})
      if (point < 0 || point >= shape.m_PointCount)
        problems.push_back({Severity::IndexError, format("connection %d names point %d, but the %s has %d", i, point,
                                                         label.c_str(), shape.m_PointCount)});
  }
  for (int i = 0; i < shape.m_CommandCount; ++i) {
    const TextureCmd& command = shape.m_Commands[static_cast<std::size_t>(i)];
    if (!isPolygon(command)) continue;
    for (int k = 0; k < command.m_IndexCount; ++k) {
      const int connection = std::abs(command.m_Indices[static_cast<std::size_t>(k)]);
      if (connection > shape.m_ConnectionCount)
        problems.push_back({Severity::IndexError, format("polygon %d names connection %d, but the %s has %d", i,
                                                         connection, label.c_str(), shape.m_ConnectionCount)});
    }
  }
}

void checkMapping(const Car& shape, const CarMappingTable& mapping, std::vector<ShapeProblem>& problems) {
  for (int i = 0; i < shape.m_CommandCount; ++i) {
    if (!isPolygon(shape.m_Commands[static_cast<std::size_t>(i)])) continue;
    if (!mapping.IsMapped(i)) {
      problems.push_back({Severity::Warning, format("polygon %d has no entry in the texture mapping table", i)});
      continue;
    }
    const int texture = mapping.GetMapping(i).texture;
    if (texture < 1 || texture > 4)
      problems.push_back(
          {Severity::Warning, format("polygon %d is mapped to texture %d; the textures are 1 to 4", i, texture)});
  }
}

// Points the game places parts at are used without a connection.
std::vector<bool> placementPoints(ShapeKind kind, int pointCount) {
  std::vector<bool> placement(static_cast<std::size_t>(pointCount), false);
  const auto mark = [&](int point) {
    if (point < pointCount) placement[static_cast<std::size_t>(point)] = true;
  };
  if (kind == ShapeKind::Car) {
    mark(kHelmetPoint);
    for (int wheel = 0; wheel < kWheelCount; ++wheel) mark(kFirstWheelPoint + wheel);
  }
  if (kind == ShapeKind::Cockpit) mark(kSteeringWheelPoint);
  return placement;
}

void checkOddities(const Car& shape, ShapeKind kind, std::vector<ShapeProblem>& problems) {
  for (int i = 0; i < shape.m_CommandCount; ++i) {
    const TextureCmd& command = shape.m_Commands[static_cast<std::size_t>(i)];
    if (!isPolygon(command)) continue;
    std::set<int> corners;
    for (const PolygonCorner& corner : PolygonCorners(shape, command)) corners.insert(corner.point);
    if (corners.size() < 3)
      problems.push_back(
          {Severity::Warning, format("polygon %d has %zu distinct corners, fewer than three", i, corners.size())});
  }
  std::vector<bool> used = placementPoints(kind, shape.m_PointCount);
  for (int i = 0; i < shape.m_ConnectionCount; ++i) {
    const Point3D& connection = shape.m_Connections[static_cast<std::size_t>(i)];
    if (connection.m_From == connection.m_To)
      problems.push_back(
          {Severity::Warning, format("connection %d runs from point %d to itself", i, connection.m_From)});
    for (const int point : {connection.m_From, connection.m_To})
      if (point >= 0 && point < shape.m_PointCount) used[static_cast<std::size_t>(point)] = true;
  }
  for (std::size_t point = 0; point < used.size(); ++point)
    if (!used[point]) problems.push_back({Severity::Warning, format("point %zu is used by no connection", point)});
}

}  // namespace

std::size_t ShapeRoom(ShapeKind kind) {
  const PartFileKind* part = FindPartFileKind(kind);
  return part == nullptr ? kCarRoom : part->length;
}

std::vector<ShapeProblem> CheckShape(const Car& shape, ShapeKind kind, const CarMappingTable* mapping) {
  if (!shape.m_Header || shape.m_Valid == 0)
    return {{Severity::Error, shape.m_Header ? Car::BadMagicMessage(shape.m_Header->magic) : "it holds no shape"}};
  std::vector<ShapeProblem> problems;
  checkLayout(shape, kind, problems);
  checkIndices(shape, kind, problems);
  checkOddities(shape, kind, problems);
  if (mapping != nullptr && kind == ShapeKind::Car) checkMapping(shape, *mapping, problems);
  std::ranges::stable_sort(problems, {}, &ShapeProblem::severity);
  return problems;
}

bool HasProblem(const std::vector<ShapeProblem>& problems, Severity severity) {
  return std::ranges::any_of(problems, [severity](const ShapeProblem& p) { return p.severity == severity; });
}

std::size_t ShapeExtent(const Car& shape, ShapeKind kind) {
  std::int64_t extent = tableOffset(kind);
  if (shape.m_Header)
    for (const Region& region : regionsOf(shape, kind))
      if (!region.empty()) extent = std::max(extent, region.end());
  return static_cast<std::size_t>(std::clamp<std::int64_t>(extent, 0, Car::kImageSize));
}

}  // namespace tavrel
