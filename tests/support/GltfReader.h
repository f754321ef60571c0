#pragma once
// Reads back a glTF file that tavrel-cli wrote: its JSON, its buffer beside it,
// and the values of its accessors.

#include <array>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tavrel::test {

struct GltfFile {
  nlohmann::json json;
  std::vector<std::uint8_t> buffer;  // empty when the file has none
};

GltfFile ReadGltf(const std::filesystem::path& path);

std::vector<float> AccessorFloats(const GltfFile& file, int accessor);
std::vector<std::uint32_t> AccessorIndices(const GltfFile& file, int accessor);

// One triangle corner of a primitive.
struct GltfCorner {
  std::array<float, 3> position;
  std::array<float, 2> uv;  // zero when the primitive has no texture coordinates
  bool operator==(const GltfCorner&) const = default;
};

// The triangles of the mesh of the named node, per primitive: the material's
// name and the corners, three per triangle.
struct GltfPrimitiveTriangles {
  std::string material;
  std::vector<GltfCorner> corners;
};
std::vector<GltfPrimitiveTriangles> NodeTriangles(const GltfFile& file, const std::string& node);

}  // namespace tavrel::test
