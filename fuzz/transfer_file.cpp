// Arbitrary text as a transfer file imported into a small car, then written back
// into its image: what was imported decodes again unchanged.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "base/Messages.h"
#include "builders/ShapeImageBuilder.h"
#include "shape/Car.h"
#include "shape/TransferFile.h"

namespace {

constexpr int kTableOffset = 94;

const std::vector<std::uint8_t>& smallCarImage() {
  static const std::vector<std::uint8_t> image = [] {
    tavrel::ShapeRecipe recipe;
    recipe.points = {{5, 1, 0, 0}, {-3, 2, 7, 0}, {9, 9, 9, 1}};
    recipe.connections = {{0, 1, 0, 0}, {1, 2, 3, 4}};
    recipe.dataValues = {1, 2};
    return tavrel::BuildShapeImage(recipe);
  }();
  return image;
}

// The importer reads a path: each input goes through one file, removed at exit.
struct ScratchFile {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("tavrel-fuzz-" + std::to_string(::getpid()) + ".ctf");
  ~ScratchFile() {
    std::error_code error;
    std::filesystem::remove(path, error);
  }
};

struct Geometry {
  std::vector<std::int32_t> values;
  bool operator==(const Geometry&) const = default;
};

Geometry geometryOf(const tavrel::Car& car) {
  Geometry geometry;
  for (int i = 0; i < car.m_PointCount; ++i) {
    const tavrel::Vertex& p = car.m_Points[static_cast<std::size_t>(i)];
    geometry.values.insert(geometry.values.end(), {p.m_X, p.m_Y, p.m_Z, p.m_U1});
  }
  for (int i = 0; i < car.m_ConnectionCount; ++i) {
    const tavrel::Point3D& c = car.m_Connections[static_cast<std::size_t>(i)];
    geometry.values.insert(geometry.values.end(), {c.m_From, c.m_To, c.m_U1, c.m_U2});
  }
  return geometry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFile scratch;
  const std::filesystem::path& path = scratch.path;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  car->m_Image.fill(0);
  std::copy(smallCarImage().begin(), smallCarImage().end(), car->m_Image.begin());
  car->Decode(kTableOffset, messages);
  const Geometry before = geometryOf(*car);

  const tavrel::CtfImport result = tavrel::ImportCtf(path, *car, messages);
  const Geometry imported = geometryOf(*car);
  if (result == tavrel::CtfImport::Refused && imported != before) __builtin_trap();
  car->WriteBack(kTableOffset);
  car->Decode(kTableOffset, messages);
  if (geometryOf(*car) != imported) __builtin_trap();
  return 0;
}
