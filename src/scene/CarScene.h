#pragma once
// The car as the textured car view draws it, as meshes and placed nodes: every
// command with an index list is a polygon through the points its entries lead
// to (invalid entries skipped), cut into a fan of triangles in list order; the
// car's polygons carry texture coordinates from the car mapping table and the
// slot it binds; the parts stand where the view puts them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Vec3.h"
#include "shape/Car.h"
#include "textures/CarMappingTable.h"

namespace tavrel {

// What a polygon is drawn with: texture slots 1 to 4, the car's polygons drawn
// before any slot was bound, and one plain colour per part.
enum class SceneMaterial { Slot1, Slot2, Slot3, Slot4, Untextured, Tyre, Helmet, Cockpit, SteeringWheel };
inline constexpr int kSceneMaterialCount = 9;

struct SceneVertex {
  std::array<float, 3> position;
  std::array<float, 3> normal;
  std::array<float, 2> uv;  // texels / 256, from the picture's top left
};

struct ScenePrimitive {
  SceneMaterial material;
  bool textured;
  std::vector<SceneVertex> vertices;
  // Triangles, counter-clockwise seen from the front.
  std::vector<std::uint32_t> indices;
};

struct SceneMesh {
  std::string name;
  std::vector<ScenePrimitive> primitives;  // one per material used
};

struct SceneNode {
  std::string name;
  int mesh;
  Vec3 translation;  // model axes
};

struct CarScene {
  std::vector<SceneMesh> meshes;
  std::vector<SceneNode> nodes;
};

// The car and those parts it has, each part as its own node: the tyres at car
// points 37 to 40 (when the car has them), the helmet at car point 0, the
// cockpit at the origin, the steering wheel at cockpit point 84 (the origin
// when the cockpit has no such point).
CarScene BuildCarScene(const Car& car, const CarMappingTable& mapping);

}  // namespace tavrel
