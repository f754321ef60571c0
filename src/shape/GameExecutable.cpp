#include "shape/GameExecutable.h"

#include <algorithm>
#include <array>

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

PatchResult patchShape(const std::filesystem::path& path, Car& shape, std::int64_t position, std::size_t size,
                       int tableOffset, const char* notFound, Messages& messages) {
  if (shape.m_Valid == 0) {
    // Writing a shape that failed the magic check would corrupt the player's game.
    messages.show(format("\"%s\" holds no valid shape (bad magic number), so it was not patched into ZAV.EXE",
                         shape.GetName().c_str()),
                  Icon::Stop);
    return {};
  }
  shape.WriteBack(tableOffset);
  const ByteView image = ByteView(shape.m_Image).first(std::min(size, Car::kImageSize));
  const PatchResult result = PatchExecutable(
      path, position, image.size(), [&](MutableByteView wanted) { std::ranges::copy(image, wanted.begin()); },
      notFound, messages);
  if (result.ok) messages.show("Finished Patching ZAV.EXE");
  return result;
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

PatchResult PatchCar(const std::filesystem::path& path, Car& car, const ExePositions& positions, Messages& messages) {
  return patchShape(path, car, positions.car, Car::kImageSize, tableOffset(ShapeKind::Car), "Failed to find Car Data",
                    messages);
}

PatchResult PatchPart(const std::filesystem::path& path, Car& part, std::int64_t position, std::size_t size,
                      int tableOffset, Messages& messages) {
  return patchShape(path, part, position, size, tableOffset, "Failed to find Object Data", messages);
}

PatchResult PatchCameras(const std::filesystem::path& path, const Car& car, const ExePositions& positions,
                         Messages& messages) {
  const auto records = CameraFileBytes(car);
  return PatchExecutable(
      path, positions.cameras, kCameraFileSize,
      [&](MutableByteView wanted) {
        for (std::size_t i = 0; i < car.m_Cameras.size(); ++i) {
          if (car.m_Cameras[i].m_Loaded != 1) continue;
          const std::size_t slot = i * CameraRecord::kSize;
          std::copy_n(records.begin() + static_cast<std::ptrdiff_t>(slot), CameraRecord::kSize, wanted.begin() + static_cast<std::ptrdiff_t>(slot));
        }
      },
      "Failed to find Camera Data", messages);
}

}  // namespace tavrel
