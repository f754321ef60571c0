#include "demo/MeshBuilder.h"

#include <algorithm>
#include <cmath>

namespace tavrel::demo {

double SignedVolume(const std::vector<Vec3>& points, const std::vector<std::vector<int>>& faces) {
  double volume = 0;
  for (const auto& face : faces) {
    const Vec3 p0 = points[static_cast<std::size_t>(face[0])];
    for (std::size_t k = 1; k + 1 < face.size(); ++k)
      volume +=
          dot(p0, cross(points[static_cast<std::size_t>(face[k])], points[static_cast<std::size_t>(face[k + 1])]));
  }
  return volume / 6;
}

int MeshBuilder::AddPoint(Vec3 p) {
  m_Points.push_back({std::round(p.x), std::round(p.y), std::round(p.z)});
  return PointCount() - 1;
}

int MeshBuilder::Connect(int from, int to) {
  for (std::size_t i = 0; i < m_Connections.size(); ++i) {
    const auto& c = m_Connections[i];
    if (c[0] == from && c[1] == to) return static_cast<int>(i) + 1;
    if (c[0] == to && c[1] == from) return -(static_cast<int>(i) + 1);
  }
  m_Connections.push_back({static_cast<std::uint16_t>(from), static_cast<std::uint16_t>(to), 0, 0});
  return ConnectionCount();
}

void MeshBuilder::AddPolygon(const std::vector<int>& corners, const CommandHead& head, Surface surface) {
  std::vector<std::uint16_t> command{head.opcode};
  command.insert(command.end(), head.words.begin(), head.words.end());
  for (std::size_t k = 0; k < corners.size(); ++k) {
    const int entry = Connect(corners[k], corners[(k + 1) % corners.size()]);
    command.push_back(static_cast<std::uint16_t>(static_cast<std::int16_t>(entry)));
  }
  command.push_back(0);
  m_Commands.push_back(std::move(command));
  m_Polygons.push_back({corners, surface});
}

void MeshBuilder::AddSolid(const std::vector<std::vector<int>>& faces, const CommandHead& head, Surface surface) {
  const bool inward = SignedVolume(m_Points, faces) > 0;
  for (std::vector<int> face : faces) {
    if (inward) std::reverse(face.begin(), face.end());
    AddPolygon(face, head, surface);
  }
}

int MeshBuilder::AddLoft(const std::vector<std::vector<Vec3>>& rings, const CommandHead& head, Surface surface,
                         const std::vector<std::vector<int>>& capPieces) {
  const int first = CommandCount();
  std::vector<std::vector<int>> ids;
  for (const auto& ring : rings) {
    ids.emplace_back();
    for (Vec3 p : ring) ids.back().push_back(AddPoint(p));
  }
  std::vector<std::vector<int>> pieces = capPieces;
  if (pieces.empty()) {
    pieces.emplace_back();
    for (std::size_t i = 0; i < rings.front().size(); ++i) pieces.back().push_back(static_cast<int>(i));
  }
  // The same cap turned both ways: the first one faces back along the sweep.
  const auto cap = [&](const std::vector<int>& ring, const std::vector<int>& piece, bool reversed) {
    std::vector<int> face;
    for (int i : piece) face.push_back(ring[static_cast<std::size_t>(i)]);
    if (reversed) std::reverse(face.begin(), face.end());
    return face;
  };
  std::vector<std::vector<int>> faces;
  for (const auto& piece : pieces) faces.push_back(cap(ids.front(), piece, true));
  for (std::size_t r = 0; r + 1 < ids.size(); ++r) {
    const auto& a = ids[r];
    const auto& b = ids[r + 1];
    for (std::size_t i = 0; i < a.size(); ++i) {
      const std::size_t j = (i + 1) % a.size();
      faces.push_back({a[i], a[j], b[j], b[i]});
    }
  }
  for (const auto& piece : pieces) faces.push_back(cap(ids.back(), piece, false));
  AddSolid(faces, head, surface);
  return first;
}

void MeshBuilder::AddPlate(const std::vector<int>& corners, const CommandHead& head, Surface surface) {
  std::vector<int> face = corners;
  AddPolygon(face, head, surface);
  std::reverse(face.begin(), face.end());
  AddPolygon(face, head, surface);
}

void MeshBuilder::AddMarker(std::uint16_t opcode, std::array<std::uint16_t, 3> words) {
  m_Commands.push_back({opcode, words[0], words[1], words[2]});
  m_Polygons.push_back({});
}

void MeshBuilder::SwapPoints(int a, int b) {
  std::swap(m_Points[static_cast<std::size_t>(a)], m_Points[static_cast<std::size_t>(b)]);
  const auto swapped = [a, b](std::uint16_t p) -> std::uint16_t {
    if (p == a) return static_cast<std::uint16_t>(b);
    if (p == b) return static_cast<std::uint16_t>(a);
    return p;
  };
  for (auto& c : m_Connections) {
    c[0] = swapped(c[0]);
    c[1] = swapped(c[1]);
  }
  for (auto& polygon : m_Polygons)
    for (int& corner : polygon.corners) corner = swapped(static_cast<std::uint16_t>(corner));
}

ShapeRecipe MeshBuilder::Recipe(std::vector<std::uint8_t> scaleTable, std::vector<std::uint16_t> dataValues,
                                std::int16_t magic, int tableOffset) const {
  ShapeRecipe recipe;
  for (Vec3 p : m_Points)
    recipe.points.push_back(
        {-static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), static_cast<std::int32_t>(p.z), 0});
  recipe.connections = m_Connections;
  recipe.commands = m_Commands;
  recipe.dataValues = std::move(dataValues);
  recipe.scaleTable = std::move(scaleTable);
  recipe.magic = magic;
  recipe.tableOffset = tableOffset;
  return recipe;
}

}  // namespace tavrel::demo
