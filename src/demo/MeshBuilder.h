#pragma once
// Builds a shape from geometry: points in model axes (x to the car's right, y
// towards the nose, z up), connections found or added for each polygon edge,
// and polygons turned into commands whose index lists walk those connections
// forwards or backwards.

#include <array>
#include <cstdint>
#include <vector>

#include "base/Vec3.h"
#include "demo/ShapeImageBuilder.h"

namespace tavrel::demo {

// Where a polygon lies on the car, which decides its texture.
enum class Surface { None, Body, Nose, Wing, Carbon };

// The words a polygon command carries before its index list. Opcodes 0x00 to
// 0x03 and 0x0A carry none; 0x10 to 0x12 carry two, and 0x10 four when its
// second is 0x80. Argument reading stops at the first 0, so the words that
// follow the second one must not be 0.
struct CommandHead {
  std::uint16_t opcode = 0x00;
  std::vector<std::uint16_t> words;
};

// A polygon as the demo knows it: its corners and its surface.
struct Polygon {
  std::vector<int> corners;
  Surface surface = Surface::None;
};

class MeshBuilder {
 public:
  // Points in model axes; the image stores x negated.
  int AddPoint(Vec3 p);
  int PointCount() const { return static_cast<int>(m_Points.size()); }
  Vec3 PointAt(int index) const { return m_Points[static_cast<std::size_t>(index)]; }

  // The 1-based connection number that walks from `from` to `to`: positive for
  // a connection stored that way, negative for one stored the other way round;
  // a missing one is added as from -> to.
  int Connect(int from, int to);
  int ConnectionCount() const { return static_cast<int>(m_Connections.size()); }

  // A closed solid from faces given as corner lists, each turning the same way
  // around every shared edge. Faces turn clockwise seen from outside, as the
  // game's polygons do; a solid given the other way round is turned over.
  void AddSolid(const std::vector<std::vector<int>>& faces, const CommandHead& head, Surface surface);
  // A solid swept through rings of equal size, closed with a cap at each end,
  // and the command position of its first face. The faces come in this order:
  // the first cap (in pieces), the sides ring gap by ring gap (the face over ring
  // edge i of gap r at position first + pieces + r * ring size + i), the last cap.
  // A cap is the whole ring, or convex pieces of it given as lists of ring
  // positions in ring order.
  int AddLoft(const std::vector<std::vector<Vec3>>& rings, const CommandHead& head, Surface surface,
              const std::vector<std::vector<int>>& capPieces = {});
  void SetSurface(int position, Surface surface) { m_Polygons[static_cast<std::size_t>(position)].surface = surface; }
  int CommandCount() const { return static_cast<int>(m_Commands.size()); }
  // A flat polygon through points already added, drawn from both sides (one
  // face each way).
  void AddPlate(const std::vector<int>& corners, const CommandHead& head, Surface surface);
  // A command without an index list (opcode and its three argument words).
  void AddMarker(std::uint16_t opcode, std::array<std::uint16_t, 3> words);

  // Swaps two point numbers everywhere, so a point can be given the number
  // the game expects of it.
  void SwapPoints(int a, int b);

  // The polygon of each command position; commands without one have no corners.
  const std::vector<Polygon>& Polygons() const { return m_Polygons; }

  // The shape: scale table, data values, magic and table offset as given.
  ShapeRecipe Recipe(std::vector<std::uint8_t> scaleTable, std::vector<std::uint16_t> dataValues, std::int16_t magic,
                     int tableOffset) const;

 private:
  void AddPolygon(const std::vector<int>& corners, const CommandHead& head, Surface surface);

  std::vector<Vec3> m_Points;
  std::vector<std::array<std::uint16_t, 4>> m_Connections;
  std::vector<std::vector<std::uint16_t>> m_Commands;
  std::vector<Polygon> m_Polygons;
};

// Signed volume of a closed solid whose faces are corner lists: negative when
// the faces turn clockwise seen from outside.
double SignedVolume(const std::vector<Vec3>& points, const std::vector<std::vector<int>>& faces);

}  // namespace tavrel::demo
