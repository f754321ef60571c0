#pragma once
// What the fuzz targets that import a text file into a car share: a small car's
// image and one scratch file per process for the input, removed at exit.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "builders/ShapeImageBuilder.h"

namespace fuzz {

// Three points, two connections and two data values, at table offset 94.
inline const std::vector<std::uint8_t>& SmallCarImage() {
  static const std::vector<std::uint8_t> image = [] {
    tavrel::ShapeRecipe recipe;
    recipe.points = {{5, 1, 0, 0}, {-3, 2, 7, 0}, {9, 9, 9, 1}};
    recipe.connections = {{0, 1, 0, 0}, {1, 2, 3, 4}};
    recipe.dataValues = {1, 2};
    return tavrel::BuildShapeImage(recipe);
  }();
  return image;
}

// The importers read a path: each input is written to this file first.
struct ScratchFile {
  explicit ScratchFile(const std::string& extension)
      : path(std::filesystem::temp_directory_path() / ("tavrel-fuzz-" + std::to_string(::getpid()) + extension)) {}
  ~ScratchFile() {
    std::error_code error;
    std::filesystem::remove(path, error);
  }
  void Write(const std::uint8_t* data, std::size_t size) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::filesystem::path path;
};

}  // namespace fuzz
