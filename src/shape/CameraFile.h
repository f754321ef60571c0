#pragma once
// Camera files (.cam): the nine 20-byte camera records in camera order, nothing
// else. The executable holds the same nine records.

#include <array>
#include <cstdint>
#include <filesystem>

#include "base/Bytes.h"
#include "shape/Car.h"
#include "shape/FileDialogKind.h"

namespace tavrel {

class Messages;

inline constexpr std::size_t kCameraFileSize = Car::kCameraCount * CameraRecord::kSize;  // 180

inline constexpr FileDialogKind kCameraFileKind{
    "unnamed.cam", "cam", "Zav Camera Files (*.cam)|*.cam|All Files (*.*)|*.*|"};

// The nine records as a camera file holds them, loaded or not.
std::array<std::uint8_t, kCameraFileSize> CameraFileBytes(const Car& car);

// Reads records into the cameras in order from as many bytes as are given (at
// most 180 are used): a record cut short changes only its first bytes and the
// cameras past the end keep theirs. Every camera then belongs to the car, has
// its angles in degrees and counts as loaded.
void TakeCameraBytes(Car& car, ByteView bytes);

// Writes the whole file or nothing; on failure a message (stop icon) that names
// the file and starts "Cannot Open Camera File for Saving" when it could not be made.
bool SaveCameras(const std::filesystem::path& path, const Car& car, Messages& messages);

// Reads the first 180 bytes of the file into the cameras (TakeCameraBytes); a
// file that cannot be read leaves them alone and says so with the stop icon.
bool LoadCameras(const std::filesystem::path& path, Car& car, Messages& messages);

}  // namespace tavrel
