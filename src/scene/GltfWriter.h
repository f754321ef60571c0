#pragma once
// A car scene as a glTF 2.0 asset: the JSON, its one binary buffer and the
// texture pictures it refers to, all named after one base name so they can lie
// side by side (NAME.gltf, NAME.bin, NAME-slot1.png ...).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scene/CarScene.h"

namespace tavrel {

// File names are as they lie on disk; the JSON refers to them by URI, with
// every character outside the plain unreserved ones percent-encoded.
struct GltfPictureFile {
  int slot;  // 1 to 4
  std::string file;
};

struct GltfAsset {
  std::string json;
  std::vector<std::uint8_t> buffer;
  std::string bufferFile;                 // empty when the scene has no polygons
  std::vector<GltfPictureFile> pictures;  // the slots the scene uses
};

// A file name as a relative URI reference: the bytes other than letters,
// digits and "-._~" as %XX, so spaces, '%', '#', '?' and ':' stay in the name.
std::string PercentEncoded(std::string_view name);

// Model axes go into the file as they are drawn; one root node turns the
// model's +z up into glTF's +y up and its nose (+y) to glTF's front (+z).
// Materials are double-sided, as the view does not cull.
GltfAsset MakeGltfAsset(const CarScene& scene, const std::string& baseName);

}  // namespace tavrel
