#include "support/GltfReader.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>

#include "base/Bytes.h"
#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

// The little-endian words of an accessor.
std::vector<std::uint32_t> accessorWords(const GltfFile& file, int index) {
  const auto& accessor = file.json["accessors"][static_cast<std::size_t>(index)];
  const auto& view = file.json["bufferViews"][accessor["bufferView"].get<std::size_t>()];
  const std::size_t components = accessor["type"] == "VEC3" ? 3 : accessor["type"] == "VEC2" ? 2 : 1;
  const std::size_t count = accessor["count"].get<std::size_t>() * components;
  const std::int64_t offset = view["byteOffset"].get<std::int64_t>() + accessor.value("byteOffset", 0);
  std::vector<std::uint32_t> words;
  for (std::size_t i = 0; i < count; ++i) {
    const auto word = readU32(file.buffer, offset + static_cast<std::int64_t>(4 * i));
    EXPECT_TRUE(word.has_value());
    words.push_back(word.value_or(0));
  }
  return words;
}

}  // namespace

GltfFile ReadGltf(const std::filesystem::path& path) {
  GltfFile file;
  std::ifstream in(path);
  file.json = nlohmann::json::parse(in);
  if (file.json.contains("buffers"))
    file.buffer = ReadBytes(path.parent_path() / file.json["buffers"][0]["uri"].get<std::string>());
  return file;
}

std::vector<float> AccessorFloats(const GltfFile& file, int accessor) {
  std::vector<float> values;
  for (std::uint32_t word : accessorWords(file, accessor)) values.push_back(std::bit_cast<float>(word));
  return values;
}

std::vector<std::uint32_t> AccessorIndices(const GltfFile& file, int accessor) { return accessorWords(file, accessor); }

std::vector<GltfPrimitiveTriangles> NodeTriangles(const GltfFile& file, const std::string& node) {
  std::vector<GltfPrimitiveTriangles> result;
  for (const auto& n : file.json["nodes"]) {
    if (n["name"] != node) continue;
    for (const auto& primitive : file.json["meshes"][n["mesh"].get<std::size_t>()]["primitives"]) {
      const auto& attributes = primitive["attributes"];
      const auto positions = AccessorFloats(file, attributes["POSITION"]);
      const auto uvs = attributes.contains("TEXCOORD_0") ? AccessorFloats(file, attributes["TEXCOORD_0"])
                                                         : std::vector<float>(positions.size() / 3 * 2, 0.0f);
      GltfPrimitiveTriangles triangles;
      triangles.material = file.json["materials"][primitive["material"].get<std::size_t>()]["name"];
      for (std::uint32_t i : AccessorIndices(file, primitive["indices"]))
        triangles.corners.push_back(
            {{positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]}, {uvs[2 * i], uvs[2 * i + 1]}});
      result.push_back(triangles);
    }
  }
  return result;
}

}  // namespace tavrel::test
