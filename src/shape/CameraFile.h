#pragma once
// Camera files (.cam): the nine 20-byte camera records in camera order, nothing
// else. The executable holds the same nine records.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/Bytes.h"
#include "shape/Car.h"
#include "shape/FileDialogKind.h"

namespace tavrel {

class Messages;

inline constexpr std::size_t kCameraFileSize = Car::kCameraCount * CameraRecord::kSize;  // 180

inline constexpr FileDialogKind kCameraFileKind{"unnamed.cam", "cam",
                                                "Zav Camera Files (*.cam)|*.cam|All Files (*.*)|*.*|"};

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

// The first 180 bytes of a camera file (all of a shorter one). None, after a
// message with the stop icon, when the file cannot be read or is empty: an empty
// file holds no camera, and taking it would only mark the cameras loaded.
std::optional<std::vector<std::uint8_t>> ReadCameraFile(const std::filesystem::path& path, Messages& messages);

// Reads the file (ReadCameraFile) into the cameras (TakeCameraBytes); a file
// that cannot be used leaves them alone.
bool LoadCameras(const std::filesystem::path& path, Car& car, Messages& messages);

}  // namespace tavrel
