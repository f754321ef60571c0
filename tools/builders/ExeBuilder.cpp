#include "builders/ExeBuilder.h"

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

std::vector<Piece> piecesOf(const ExeSpec& spec) {
  const ExePositions at = PositionsForPatchLevel(spec.patchLevel);
  return {
      {RcrBlockOffset(spec.patchLevel), valueBytes(spec.rcrDistances)},
      {kTriggerOffset, valueBytes(std::span(&spec.triggerDistance, 1))},
      {at.car, spec.car},
      {at.wheel, spec.wheel},
      {at.cockpit, spec.cockpit},
      {at.steeringWheel, spec.steeringWheel},
      {at.helmet, spec.helmet},
      {at.cameras, cameraBytes(spec.cameras)},
  };
}

std::uint64_t naturalSize(const ExeSpec& spec, const std::vector<Piece>& pieces) {
  std::uint64_t size = static_cast<std::uint64_t>(PositionsForPatchLevel(spec.patchLevel).cameras) + kCameraFileSize;
  for (const Piece& piece : pieces)
    size = std::max<std::uint64_t>(size, static_cast<std::uint64_t>(piece.position) + piece.bytes.size());
  return size;
}

}  // namespace

ShapeSpec SampleShapeSpec(ShapeKind kind) {
  const auto k = static_cast<std::int32_t>(kind);
  ShapeSpec spec;
  spec.magic = kind == ShapeKind::Car ? ShapeHeader::kMagicCar : ShapeHeader::kMagicPart;
  spec.tableOffset = tableOffset(kind);
  spec.baseAddress = 0x00500000u + 0x10000u * static_cast<std::uint32_t>(k);
  spec.points = {{-100 - k, 200, 300, 0}, {100, 200 + k, -300, 1}, {0, -50, 10 * k, 2}};
  spec.connections = {{0, 1, 0, 0}, {1, 2, 0, 0}, {2, 0, 0, 0}};
  spec.commands = {{0x00, 1, 2, 3, 0}};
  spec.dataValues = {static_cast<std::uint16_t>(7 + k), 0x1234};
  return spec;
}

ExeSpec SampleExeSpec(int patchLevel) {
  ExeSpec spec;
  spec.patchLevel = patchLevel;
  spec.car = BuildShapeImage(SampleShapeSpec(ShapeKind::Car));
  spec.wheel = BuildShapeImage(SampleShapeSpec(ShapeKind::Wheel));
  spec.cockpit = BuildShapeImage(SampleShapeSpec(ShapeKind::Cockpit));
  spec.steeringWheel = BuildShapeImage(SampleShapeSpec(ShapeKind::SteeringWheel));
  spec.helmet = BuildShapeImage(SampleShapeSpec(ShapeKind::Helmet));
  for (std::int16_t i = 0; i < 9; ++i) {
    const auto n = static_cast<std::int16_t>(i + 1);
    spec.cameras.push_back({static_cast<std::int16_t>(10 * n), static_cast<std::int16_t>(20 * n),
                            static_cast<std::int16_t>(30 * n), static_cast<std::int16_t>(182 * 10 * n),
                            static_cast<std::int16_t>(-182 * n), 0, n, static_cast<std::int16_t>(2 * n), 0, 256});
  }
  spec.rcrDistances = {3840, 7680, 3840, 7680};
  spec.triggerDistance = 3200;
  return spec;
}

bool BuildExe(const std::filesystem::path& path, const ExeSpec& spec) {
  const std::vector<Piece> pieces = piecesOf(spec);
  const std::uint64_t size = spec.size != 0 ? spec.size : naturalSize(spec, pieces);
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
