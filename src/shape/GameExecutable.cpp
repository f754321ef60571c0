#include "shape/GameExecutable.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "base/Format.h"
#include "base/Messages.h"
#include "shape/CameraFile.h"
#include "shape/ShapeKind.h"

namespace tavrel {
namespace {

// The shapes in the order they are imported, with where each one goes.
struct ImportedShape {
  ShapeKind kind;
  std::unique_ptr<Car> Object3D::*part;  // null for the car itself
  const char* name;
  const char* notFound;
};

constexpr std::array<ImportedShape, 5> kImportedShapes = {{
    {ShapeKind::Car, nullptr, "Import From Exe", "Failed to find Car Data"},
    {ShapeKind::Wheel, &Object3D::m_Wheel, "Wheel", "Failed to find Wheel Data"},
    {ShapeKind::Helmet, &Object3D::m_Helmet, "Helmet", "Failed to find Helmet Data"},
    {ShapeKind::Cockpit, &Object3D::m_Cockpit, "Cockpit", "Failed to find Cockpit Data"},
    {ShapeKind::SteeringWheel, &Object3D::m_SteeringWheel, "Steering Wheel", "Failed to find Steering Wheel Data"},
}};

Car& shapeFor(Car& car, const ImportedShape& shape) {
  if (shape.part == nullptr) return car;
  car.*shape.part = std::make_unique<Car>();
  return *(car.*shape.part);
}

// A new car's image is all zero, so the bytes of a shape the file ends within
// read as zero.
void importShape(ExecutableFile& file, Car& shape, const ImportedShape& row, std::int64_t position,
                 Messages& messages) {
  shape.SetName(row.name);
  if (!file.Holds(position)) {
    messages.show(row.notFound);
    return;
  }
  file.ReadAt(position, shape.m_Image);
  shape.Decode(tableOffset(row.kind), messages);
}

PatchRegion camerasRegion(std::vector<PatchPiece> pieces, const ExePositions& positions) {
  // Camera records carry no magic number; the car of the same patch level shows
  // that its cameras are where they are looked for.
  return {positions.cameras, kCameraFileSize, std::move(pieces), "Failed to find Camera Data",
          RequiredShape{positions.car, ShapeName(ShapeKind::Car)}};
}

}  // namespace

std::unique_ptr<Car> ImportFromExe(const std::filesystem::path& path, const ExePositions& positions,
                                   Messages& messages) {
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Read, messages);
  if (!file) return nullptr;
  auto car = std::make_unique<Car>();
  for (const ImportedShape& row : kImportedShapes)
    importShape(*file, shapeFor(*car, row), row, positions.of(row.kind), messages);
  return car;
}

ImportedCar ImportCarAndCameras(const std::filesystem::path& path, const ExePositions& positions, Messages& messages) {
  ImportedCar imported{ImportFromExe(path, positions, messages)};
  if (imported.car) imported.camerasRead = ReadCamerasFromExe(*imported.car, path, positions, messages);
  return imported;
}

bool ReadCamerasFromExe(Car& car, const std::filesystem::path& path, const ExePositions& positions,
                        Messages& messages) {
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Read, messages);
  if (!file) return false;
  if (!file->Holds(positions.cameras)) {
    messages.show("Failed to find Camera Data");
    return false;
  }
  std::array<std::uint8_t, kCameraFileSize> records{};
  const std::size_t count = file->ReadAt(positions.cameras, records);
  TakeCameraBytes(car, ByteView(records).first(count));
  return true;
}

bool HoldsCarAt(const std::filesystem::path& path, const ExePositions& positions) {
  SilentMessages silent;
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Read, silent);
  std::array<std::uint8_t, ShapeHeader::kSize> head{};
  return file && file->ReadAt(positions.car, head) == head.size() && ShapeHeader::Read(head).HasValidMagic();
}

std::string ShapeName(ShapeKind kind) {
  std::string name(kindName(kind));
  std::ranges::replace(name, '-', ' ');
  return name;
}

PatchRegion CamerasRegion(const Car& car, const ExePositions& positions) {
  std::vector<PatchPiece> pieces;
  for (std::size_t i = 0; i < car.m_Cameras.size(); ++i) {
    const Camera& camera = car.m_Cameras[i];
    if (camera.m_Loaded != 1) continue;
    const auto record = camera.m_Record.ToBytes();
    pieces.push_back({i * CameraRecord::kSize, {record.begin(), record.end()}});
  }
  return camerasRegion(std::move(pieces), positions);
}

PatchRegion CameraFileRegion(ByteView records, const ExePositions& positions) {
  records = records.first(std::min(records.size(), kCameraFileSize));
  return camerasRegion({{0, {records.begin(), records.end()}}}, positions);
}

PatchResult PatchCameras(const std::filesystem::path& path, const Car& car, const ExePositions& positions,
                         Messages& messages) {
  const PatchRegion region = CamerasRegion(car, positions);
  return PatchExecutable(path, std::span(&region, 1), messages).front();
}

}  // namespace tavrel
