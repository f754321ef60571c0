#pragma once
// What the fuzz targets that import a text file into a car share: a small car's
// image and one scratch file per process for the input, removed at exit.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Messages.h"
#include "demo/ShapeImageBuilder.h"
#include "scratch/ScratchFolder.h"
#include "shape/Car.h"

namespace fuzz {

inline constexpr int kSmallCarTableOffset = 94;

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

// The small car decoded afresh: one car for the process, its image being large.
inline tavrel::Car& FreshSmallCar() {
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  car->m_Image.fill(0);
  std::copy(SmallCarImage().begin(), SmallCarImage().end(), car->m_Image.begin());
  car->Decode(kSmallCarTableOffset, messages);
  return *car;
}

// Every point's and connection's values, in order.
inline std::vector<std::int32_t> GeometryOf(const tavrel::Car& car) {
  std::vector<std::int32_t> values;
  for (const tavrel::Vertex& p : car.m_Points) values.insert(values.end(), {p.m_X, p.m_Y, p.m_Z, p.m_U1});
  for (const tavrel::Point3D& c : car.m_Connections) values.insert(values.end(), {c.m_From, c.m_To, c.m_U1, c.m_U2});
  return values;
}

// The importers read a path: each input is written to this file first.
struct ScratchFile {
  explicit ScratchFile(const std::string& extension) : path(folder / ("input" + extension)) {}
  void Write(const std::uint8_t* data, std::size_t size) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  tavrel::ScratchFolder folder{"fuzz"};
  std::filesystem::path path;
};

}  // namespace fuzz
