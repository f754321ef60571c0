#include "shape/CameraFile.h"

#include <algorithm>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"

namespace tavrel {

std::array<std::uint8_t, kCameraFileSize> CameraFileBytes(const Car& car) {
  std::array<std::uint8_t, kCameraFileSize> bytes{};
  auto slot = bytes.begin();
  for (const Camera& camera : car.m_Cameras) slot = std::ranges::copy(camera.m_Record.ToBytes(), slot).out;
  return bytes;
}

void TakeCameraBytes(Car& car, ByteView bytes) {
  bytes = bytes.first(std::min(bytes.size(), kCameraFileSize));
  for (Camera& camera : car.m_Cameras) {
    const std::size_t present = std::min(bytes.size(), CameraRecord::kSize);
    auto record = camera.m_Record.ToBytes();
    std::copy_n(bytes.begin(), present, record.begin());
    bytes = bytes.subspan(present);
    camera.SetRecord(CameraRecord::FromBytes(record));
    camera.m_Owner = &car;
    camera.m_Loaded = 1;
  }
}

bool SaveCameras(const std::filesystem::path& path, const Car& car, Messages& messages) {
  const WriteResult written = writeFileAtomically(path, CameraFileBytes(car));
  if (!written) messages.show(WriteFailureMessage(written, "Cannot Open Camera File for Saving"), Icon::Stop);
  return static_cast<bool>(written);
}

std::optional<std::vector<std::uint8_t>> ReadCameraFile(const std::filesystem::path& path, Messages& messages) {
  auto bytes = readFileStart(path, kCameraFileSize);
  if (!bytes) {
    messages.show(format("Cannot Open Camera File \"%s\" for Loading", path.string().c_str()), Icon::Stop);
    return std::nullopt;
  }
  if (bytes->empty()) {
    messages.show(format("Camera file \"%s\" is empty: it holds no camera", path.string().c_str()), Icon::Stop);
    return std::nullopt;
  }
  return bytes;
}

bool LoadCameras(const std::filesystem::path& path, Car& car, Messages& messages) {
  const auto bytes = ReadCameraFile(path, messages);
  if (!bytes) return false;
  TakeCameraBytes(car, *bytes);
  return true;
}

}  // namespace tavrel
