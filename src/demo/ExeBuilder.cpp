#include "demo/ExeBuilder.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "base/Bytes.h"
#include "shape/CameraFile.h"

namespace tavrel {
namespace {

struct Piece {
  std::int64_t position;
  std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> cameraBytes(const std::vector<CameraRecord>& cameras) {
  std::vector<std::uint8_t> bytes;
  for (const CameraRecord& record : cameras) {
    const auto recordBytes = record.ToBytes();
    bytes.insert(bytes.end(), recordBytes.begin(), recordBytes.end());
  }
  bytes.resize(std::min(bytes.size(), kCameraFileSize));
  return bytes;
}

std::vector<std::uint8_t> valueBytes(std::span<const std::int32_t> values) {
  std::vector<std::uint8_t> bytes;
  for (std::int32_t value : values) appendU32(bytes, static_cast<std::uint32_t>(value));
  return bytes;
}

std::vector<Piece> piecesOf(const ExeRecipe& recipe) {
  const ExePositions at = PositionsForPatchLevel(recipe.patchLevel);
  return {
      {RcrBlockOffset(recipe.patchLevel), valueBytes(recipe.rcrDistances)},
      {kTriggerOffset, valueBytes(std::span(&recipe.triggerDistance, 1))},
      {at.car, recipe.car},
      {at.wheel, recipe.wheel},
      {at.cockpit, recipe.cockpit},
      {at.steeringWheel, recipe.steeringWheel},
      {at.helmet, recipe.helmet},
      {at.cameras, cameraBytes(recipe.cameras)},
  };
}

std::uint64_t naturalSize(const ExeRecipe& recipe, const std::vector<Piece>& pieces) {
  std::uint64_t size = static_cast<std::uint64_t>(PositionsForPatchLevel(recipe.patchLevel).cameras) + kCameraFileSize;
  for (const Piece& piece : pieces)
    size = std::max<std::uint64_t>(size, static_cast<std::uint64_t>(piece.position) + piece.bytes.size());
  return size;
}

}  // namespace

ShapeRecipe SampleShapeRecipe(ShapeKind kind) {
  const auto k = static_cast<std::int32_t>(kind);
  ShapeRecipe recipe;
  recipe.magic = kind == ShapeKind::Car ? ShapeHeader::kMagicCar : ShapeHeader::kMagicPart;
  recipe.tableOffset = tableOffset(kind);
  recipe.baseAddress = 0x00500000u + 0x10000u * static_cast<std::uint32_t>(k);
  recipe.points = {{-100 - k, 200, 300, 0}, {100, 200 + k, -300, 1}, {0, -50, 10 * k, 2}};
  recipe.connections = {{0, 1, 0, 0}, {1, 2, 0, 0}, {2, 0, 0, 0}};
  recipe.commands = {{0x00, 1, 2, 3, 0}};
  recipe.dataValues = {static_cast<std::uint16_t>(7 + k), 0x1234};
  return recipe;
}

ExeRecipe SampleExeRecipe(int patchLevel) {
  ExeRecipe recipe;
  recipe.patchLevel = patchLevel;
  recipe.car = BuildShapeImage(SampleShapeRecipe(ShapeKind::Car));
  recipe.wheel = BuildShapeImage(SampleShapeRecipe(ShapeKind::Wheel));
  recipe.cockpit = BuildShapeImage(SampleShapeRecipe(ShapeKind::Cockpit));
  recipe.steeringWheel = BuildShapeImage(SampleShapeRecipe(ShapeKind::SteeringWheel));
  recipe.helmet = BuildShapeImage(SampleShapeRecipe(ShapeKind::Helmet));
  for (std::int16_t i = 0; i < 9; ++i) {
    const auto n = static_cast<std::int16_t>(i + 1);
    recipe.cameras.push_back({static_cast<std::int16_t>(10 * n), static_cast<std::int16_t>(20 * n),
                              static_cast<std::int16_t>(30 * n), static_cast<std::int16_t>(182 * 10 * n),
                              static_cast<std::int16_t>(-182 * n), 0, n, static_cast<std::int16_t>(2 * n), 0, 256});
  }
  recipe.rcrDistances = {3840, 7680, 3840, 7680};
  recipe.triggerDistance = 3200;
  return recipe;
}

bool BuildExe(const std::filesystem::path& path, const ExeRecipe& recipe) {
  const std::vector<Piece> pieces = piecesOf(recipe);
  const std::uint64_t size = recipe.size != 0 ? recipe.size : naturalSize(recipe, pieces);
  if (!std::ofstream(path, std::ios::binary | std::ios::trunc)) return false;
  std::error_code error;
  std::filesystem::resize_file(path, size, error);  // holes where nothing is written
  if (error) return false;
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  for (const Piece& piece : pieces) {
    if (static_cast<std::uint64_t>(piece.position) >= size) continue;
    const auto room = static_cast<std::size_t>(size - static_cast<std::uint64_t>(piece.position));
    file.seekp(piece.position);
    file.write(reinterpret_cast<const char*>(piece.bytes.data()),
               static_cast<std::streamsize>(std::min(room, piece.bytes.size())));
  }
  return static_cast<bool>(file.flush());
}

}  // namespace tavrel
