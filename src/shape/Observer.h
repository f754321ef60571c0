#pragma once
// The elements of a decoded shape. Every element knows its car, its tree item and
// its position, and can make itself the current selection.
// A Vertex is a point; a Point3D is a connection between two points.

#include <array>
#include <cstdint>
#include <string>

namespace tavrel {

class Car;
struct OutlineNode;

// Element kinds as the tree panel tells them apart (2 and 6 are not used).
enum ElementKind : std::int32_t {
  kKindConnection = 0,
  kKindPoint = 1,
  kKindCamera = 3,
  kKindDataValue = 4,
  kKindCommand = 5,
  kKindJamFile = 7,
};

class Observer {
 public:
  explicit Observer(std::int32_t kind) : m_Kind(kind) {}
  virtual ~Observer() = default;
  Observer(const Observer&) = default;
  Observer& operator=(const Observer&) = default;

  virtual void Select() {}
  Car* GetOwner() const { return m_Owner; }

  std::int32_t m_Kind;
  Car* m_Owner = nullptr;
  OutlineNode* m_TreeItem = nullptr;
  int m_Index = 0;
};

// A point. m_X holds the stored x negated: the model's x axis mirrors the image's.
// The furthest a point's coordinate may lie from 0: the file keeps x negated.
inline constexpr std::int32_t kLargestCoordinate = 2147483647;

class Vertex : public Observer {
 public:
  Vertex() : Observer(kKindPoint) {}
  void Select() override;

  std::int32_t m_X = 0;
  std::int32_t m_Y = 0;
  std::int32_t m_Z = 0;
  std::int32_t m_U1 = 0;
};

// A connection between two points (0-based point numbers), with two extra words.
class Point3D : public Observer {
 public:
  Point3D() : Observer(kKindConnection) {}
  void Select() override;

  std::int32_t m_From = 0;
  std::int32_t m_To = 0;
  std::int32_t m_U1 = 0;
  std::int32_t m_U2 = 0;
};

// One command of the shape's command list with its index list: signed, 1-based
// connection numbers, negative for a connection walked from its end to its start.
class TextureCmd : public Observer {
 public:
  static constexpr int kMaxArgs = 20;

  TextureCmd() : Observer(kKindCommand) {}
  void Select() override;

  std::int32_t m_Sequence = 0;
  std::int32_t m_Opcode = -1;
  std::array<std::int32_t, kMaxArgs> m_Args{};
  int m_ArgCount = 0;
  std::array<std::int16_t, kMaxArgs> m_Indices{};
  int m_IndexCount = 0;
};

// One 16-bit word of the data-value region.
class DatVal : public Observer {
 public:
  DatVal() : Observer(kKindDataValue) {}

  std::int32_t m_Value = 0;
};

}  // namespace tavrel
