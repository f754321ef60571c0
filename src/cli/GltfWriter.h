#pragma once
// A car scene as a glTF 2.0 asset: the JSON, its one binary buffer and the
// texture pictures it refers to, all named after one base name so they can lie
// side by side (NAME.gltf, NAME.bin, NAME-slot1.png ...).

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CarScene.h"

namespace tavrel::cli {

struct GltfPictureFile {
  int slot;  // 1 to 4
  std::string uri;
};

struct GltfAsset {
  std::string json;
  std::vector<std::uint8_t> buffer;
  std::string bufferUri;
  std::vector<GltfPictureFile> pictures;  // the slots the scene uses
};

// Model axes go into the file as they are drawn; one root node turns the
// model's +z up into glTF's +y up and its nose (+y) to glTF's front (+z).
// Materials are double-sided, as the view does not cull.
GltfAsset MakeGltfAsset(const CarScene& scene, const std::string& baseName);

}  // namespace tavrel::cli
