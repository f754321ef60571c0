#include "scene/CarScene.h"

#include <cmath>
#include <map>

#include "scene/PartPlacement.h"
#include "shape/PolygonCorners.h"

namespace tavrel {
namespace {

// The game's polygons turn clockwise seen from their front, so the front is
// the side the reversed Newell normal points to.
std::array<float, 3> frontNormal(const std::vector<Vec3>& corners) {
  Vec3 n{0, 0, 0};
  for (std::size_t k = 0; k < corners.size(); ++k) {
    const Vec3& a = corners[k];
    const Vec3& b = corners[(k + 1) % corners.size()];
    n.x -= (a.y - b.y) * (a.z + b.z);
    n.y -= (a.z - b.z) * (a.x + b.x);
    n.z -= (a.x - b.x) * (a.y + b.y);
  }
  const double length = std::sqrt(dot(n, n));
  if (length == 0) return {0, 0, 0};
  return {static_cast<float>(n.x / length), static_cast<float>(n.y / length), static_cast<float>(n.z / length)};
}

// Collects the polygons of one shape into primitives by material.
class MeshCollector {
 public:
  // A polygon with fewer than three corners, or with no area, shows nothing.
  void AddPolygon(const Object3D& shape, const std::vector<PolygonCorner>& corners, SceneMaterial material,
                  const MappingEntry* mapping) {
    if (corners.size() < 3) return;
    std::vector<Vec3> points;
    for (const PolygonCorner& corner : corners) points.push_back(PointOf(shape, corner.point));
    const std::array<float, 3> normal = frontNormal(points);
    if (normal == std::array<float, 3>{0, 0, 0}) return;
    const bool textured = mapping != nullptr && material <= SceneMaterial::Slot4;
    ScenePrimitive& primitive = primitiveFor(material, textured);
    const auto first = static_cast<std::uint32_t>(primitive.vertices.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
      SceneVertex vertex{
          {static_cast<float>(points[i].x), static_cast<float>(points[i].y), static_cast<float>(points[i].z)},
          normal,
          {0, 0}};
      if (textured) {
        const auto k = static_cast<std::size_t>(corners[i].position);
        vertex.uv = {static_cast<float>(mapping->u[k] / 256.0), static_cast<float>(mapping->v[k] / 256.0)};
      }
      primitive.vertices.push_back(vertex);
    }
    // The fan from the first corner, each triangle turned to glTF's
    // counter-clockwise front.
    for (std::uint32_t k = 1; k + 1 < corners.size(); ++k) {
      primitive.indices.insert(primitive.indices.end(), {first, first + k + 1, first + k});
    }
  }

  SceneMesh Take(std::string name) {
    SceneMesh mesh{std::move(name), {}};
    for (auto& [material, primitive] : m_Primitives) mesh.primitives.push_back(std::move(primitive));
    return mesh;
  }

 private:
  ScenePrimitive& primitiveFor(SceneMaterial material, bool textured) {
    auto [it, added] = m_Primitives.try_emplace(material, ScenePrimitive{material, textured, {}, {}});
    return it->second;
  }

  std::map<SceneMaterial, ScenePrimitive> m_Primitives;
};

// The car's polygons as the textured view draws them: each looks up the
// mapping entry of its command position and binds the entry's slot when it
// names one; otherwise the slot bound before stays.
SceneMesh carMesh(const Car& car, const CarMappingTable& mapping) {
  MeshCollector collector;
  SceneMaterial bound = SceneMaterial::Untextured;
  for (int i = 0; i < CommandCount(car); ++i) {
    const TextureCmd& command = car.m_Commands[static_cast<std::size_t>(i)];
    if (command.m_IndexCount <= 0) continue;
    const MappingEntry entry = mapping.GetMapping(i);
    if (entry.texture >= 1 && entry.texture <= 4) bound = static_cast<SceneMaterial>(entry.texture - 1);
    collector.AddPolygon(car, PolygonCorners(car, command), bound, &entry);
  }
  return collector.Take("Car");
}

SceneMesh partMesh(const Car& part, SceneMaterial material, std::string name) {
  MeshCollector collector;
  for (int i = 0; i < CommandCount(part); ++i) {
    const TextureCmd& command = part.m_Commands[static_cast<std::size_t>(i)];
    if (command.m_IndexCount > 0) collector.AddPolygon(part, PolygonCorners(part, command), material, nullptr);
  }
  return collector.Take(std::move(name));
}

}  // namespace

CarScene BuildCarScene(const Car& car, const CarMappingTable& mapping) {
  CarScene scene;
  // A shape that draws nothing gets no mesh and no node.
  const auto place = [&scene](SceneMesh mesh, const std::vector<std::pair<std::string, Vec3>>& nodes) {
    if (mesh.primitives.empty()) return;
    scene.meshes.push_back(std::move(mesh));
    for (const auto& [name, at] : nodes) scene.nodes.push_back({name, static_cast<int>(scene.meshes.size()) - 1, at});
  };
  const Vec3 origin{0, 0, 0};
  place(carMesh(car, mapping), {{"Car", origin}});
  const std::vector<Vec3> wheels = TyrePositions(car);
  if (car.m_Wheel && !wheels.empty()) {
    std::vector<std::pair<std::string, Vec3>> tyres;
    for (std::size_t i = 0; i < wheels.size(); ++i) tyres.emplace_back("Tyre " + std::to_string(i + 1), wheels[i]);
    place(partMesh(*car.m_Wheel, SceneMaterial::Tyre, "Wheel"), tyres);
  }
  if (car.m_Helmet)
    place(partMesh(*car.m_Helmet, SceneMaterial::Helmet, "Helmet"), {{"Helmet", HelmetOffset(car, true)}});
  if (car.m_Cockpit) place(partMesh(*car.m_Cockpit, SceneMaterial::Cockpit, "Cockpit"), {{"Cockpit", origin}});
  if (car.m_SteeringWheel)
    place(partMesh(*car.m_SteeringWheel, SceneMaterial::SteeringWheel, "Steering Wheel"),
          {{"Steering Wheel", SteeringWheelOffset(car, true)}});
  return scene;
}

}  // namespace tavrel
