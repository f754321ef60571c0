#include "scene/GltfWriter.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>

#include "base/Bytes.h"

namespace tavrel {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr int kNearest = 9728;
constexpr int kRepeat = 10497;

struct MaterialLook {
  const char* name;
  std::array<double, 3> colour;
};

// Slots show their picture; the rest a plain colour.
constexpr std::array<MaterialLook, kSceneMaterialCount> kLooks = {{
    {"Slot 1", {1, 1, 1}},
    {"Slot 2", {1, 1, 1}},
    {"Slot 3", {1, 1, 1}},
    {"Slot 4", {1, 1, 1}},
    {"Untextured", {0.6, 0.6, 0.6}},
    {"Tyre", {0.06, 0.06, 0.06}},
    {"Helmet", {0.85, 0.85, 0.8}},
    {"Cockpit", {0.16, 0.16, 0.18}},
    {"Steering Wheel", {0.1, 0.1, 0.1}},
}};

int slotOf(SceneMaterial material) { return static_cast<int>(material) + 1; }
bool isSlot(SceneMaterial material) { return material <= SceneMaterial::Slot4; }

class AssetBuilder {
 public:
  explicit AssetBuilder(std::string baseName) : m_BaseName(std::move(baseName)) {}

  GltfAsset Build(const CarScene& scene) {
    Json root;
    root["asset"] = {{"version", "2.0"}, {"generator", "Tavrel"}};
    Json meshes = Json::array();
    for (const SceneMesh& mesh : scene.meshes) meshes.push_back(meshJson(mesh));
    // Turns model axes (x right, y forwards, z up) into glTF's (x left, y up, z forwards),
    // and game units (millimetres) into glTF's metres; the meshes keep game units.
    Json nodes = Json::array({{{"name", "Zav car"},
                               {"rotation", {0.0, 0.70710678118654757, 0.70710678118654757, 0.0}},
                               {"scale", {0.001, 0.001, 0.001}}}});
    Json children = Json::array();
    for (const SceneNode& node : scene.nodes) {
      children.push_back(nodes.size());
      Json n{{"name", node.name}, {"mesh", node.mesh}};
      const Vec3& at = node.translation;
      if (at != Vec3{}) n["translation"] = {at.x, at.y, at.z};
      nodes.push_back(n);
    }
    // glTF allows no empty arrays: a car without polygons is a lone root node.
    if (!children.empty()) nodes[0]["children"] = children;
    root["scene"] = 0;
    root["scenes"] = Json::array({{{"name", "Car"}, {"nodes", {0}}}});
    root["nodes"] = nodes;
    GltfAsset asset;
    if (!meshes.empty()) {
      root["meshes"] = meshes;
      root["materials"] = m_Materials;
      if (!m_Textures.empty()) {
        root["textures"] = m_Textures;
        root["images"] = m_Images;
        // The view samples the nearest texel and repeats the picture.
        root["samplers"] =
            Json::array({{{"magFilter", kNearest}, {"minFilter", kNearest}, {"wrapS", kRepeat}, {"wrapT", kRepeat}}});
      }
      asset.bufferFile = m_BaseName + ".bin";
      root["buffers"] = Json::array({{{"uri", PercentEncoded(asset.bufferFile)}, {"byteLength", m_Buffer.size()}}});
      root["bufferViews"] = m_BufferViews;
      root["accessors"] = m_Accessors;
    }
    asset.json = root.dump(1);
    asset.buffer = std::move(m_Buffer);
    asset.pictures = std::move(m_Pictures);
    return asset;
  }

 private:
  Json meshJson(const SceneMesh& mesh) {
    Json primitives = Json::array();
    for (const ScenePrimitive& p : mesh.primitives) {
      std::vector<float> positions, normals, uvs;
      for (const SceneVertex& v : p.vertices) {
        positions.insert(positions.end(), v.position.begin(), v.position.end());
        normals.insert(normals.end(), v.normal.begin(), v.normal.end());
        uvs.insert(uvs.end(), v.uv.begin(), v.uv.end());
      }
      Json attributes{{"POSITION", floatAccessor(positions, 3, true)}, {"NORMAL", floatAccessor(normals, 3, false)}};
      if (p.textured) attributes["TEXCOORD_0"] = floatAccessor(uvs, 2, false);
      primitives.push_back({{"attributes", attributes},
                            {"indices", indexAccessor(p.indices)},
                            {"material", materialIndex(p.material)},
                            {"mode", 4}});
    }
    return {{"name", mesh.name}, {"primitives", primitives}};
  }

  // glTF's binary data is little-endian whatever the host.
  int bufferView(const std::vector<std::uint32_t>& words, int target) {
    const std::size_t offset = m_Buffer.size();
    for (std::uint32_t word : words) appendU32(m_Buffer, word);
    m_BufferViews.push_back(
        {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", m_Buffer.size() - offset}, {"target", target}});
    return static_cast<int>(m_BufferViews.size()) - 1;
  }

  int floatAccessor(const std::vector<float>& values, int components, bool withBounds) {
    std::vector<std::uint32_t> words;
    for (float value : values) words.push_back(std::bit_cast<std::uint32_t>(value));
    Json accessor{{"bufferView", bufferView(words, kArrayBuffer)},
                  {"componentType", kFloat},
                  {"count", values.size() / static_cast<std::size_t>(components)},
                  {"type", components == 3 ? "VEC3" : "VEC2"}};
    if (withBounds) {
      std::vector<float> low(static_cast<std::size_t>(components), std::numeric_limits<float>::max());
      std::vector<float> high(static_cast<std::size_t>(components), std::numeric_limits<float>::lowest());
      for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t c = i % static_cast<std::size_t>(components);
        low[c] = std::min(low[c], values[i]);
        high[c] = std::max(high[c], values[i]);
      }
      accessor["min"] = low;
      accessor["max"] = high;
    }
    m_Accessors.push_back(accessor);
    return static_cast<int>(m_Accessors.size()) - 1;
  }

  int indexAccessor(const std::vector<std::uint32_t>& indices) {
    m_Accessors.push_back({{"bufferView", bufferView(indices, kElementArrayBuffer)},
                           {"componentType", kUnsignedInt},
                           {"count", indices.size()},
                           {"type", "SCALAR"}});
    return static_cast<int>(m_Accessors.size()) - 1;
  }

  // Materials (and for slots their texture and picture) are made when first used.
  int materialIndex(SceneMaterial material) {
    const auto known = m_MaterialIndices.find(material);
    if (known != m_MaterialIndices.end()) return known->second;
    const MaterialLook& look = kLooks[static_cast<std::size_t>(material)];
    Json pbr{{"baseColorFactor", {look.colour[0], look.colour[1], look.colour[2], 1.0}},
             {"metallicFactor", 0.0},
             {"roughnessFactor", 0.7}};
    if (isSlot(material)) {
      const std::string file = m_BaseName + "-slot" + std::to_string(slotOf(material)) + ".png";
      m_Pictures.push_back({slotOf(material), file});
      m_Images.push_back({{"uri", PercentEncoded(file)}});
      m_Textures.push_back({{"sampler", 0}, {"source", m_Images.size() - 1}});
      pbr["baseColorTexture"] = {{"index", m_Textures.size() - 1}};
    }
    m_Materials.push_back({{"name", look.name}, {"pbrMetallicRoughness", pbr}, {"doubleSided", true}});
    const int index = static_cast<int>(m_Materials.size()) - 1;
    m_MaterialIndices[material] = index;
    return index;
  }

  std::string m_BaseName;
  std::vector<std::uint8_t> m_Buffer;
  Json m_BufferViews = Json::array();
  Json m_Accessors = Json::array();
  Json m_Materials = Json::array();
  Json m_Textures = Json::array();
  Json m_Images = Json::array();
  std::map<SceneMaterial, int> m_MaterialIndices;
  std::vector<GltfPictureFile> m_Pictures;
};

}  // namespace

std::string PercentEncoded(std::string_view name) {
  constexpr char kHex[] = "0123456789ABCDEF";
  constexpr std::string_view kUnreserved = "-._~";
  std::string uri;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    // ASCII by value: a locale's notion of a letter must not reach the URI.
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       kUnreserved.find(c) != std::string_view::npos;
    if (plain) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 15];
    }
  }
  return uri;
}

GltfAsset MakeGltfAsset(const CarScene& scene, const std::string& baseName) {
  return AssetBuilder(baseName).Build(scene);
}

}  // namespace tavrel
