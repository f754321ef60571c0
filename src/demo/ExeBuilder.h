#pragma once
// Stand-ins for the game's executable: a file holding shape images, camera
// records and the RCR values at the places a patch level gives them, zero
// everywhere else (holes in a sparse file).

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "demo/ShapeImageBuilder.h"
#include "shape/Camera.h"
#include "shape/ExePositions.h"
#include "shape/RcrPatches.h"

namespace tavrel {

struct ExeRecipe {
  int patchLevel = 0;
  // Images (or their first bytes) placed at their positions, in this order:
  // car, wheel, cockpit, steering wheel, helmet; a later one wins where they overlap.
  std::vector<std::uint8_t> car;
  std::vector<std::uint8_t> wheel;
  std::vector<std::uint8_t> cockpit;
  std::vector<std::uint8_t> steeringWheel;
  std::vector<std::uint8_t> helmet;
  std::vector<CameraRecord> cameras;  // from the first camera on, at most nine
  RcrDistances rcrDistances{};
  std::int32_t triggerDistance = 0;
  // File length; 0 means just past the last byte placed (the camera records at
  // the latest). Longer files are sparse.
  std::uint64_t size = 0;
};

// A length under which every shape is read whole at either patch level.
inline constexpr std::uint64_t kWholeImagesSize = 0x784A10 + 133952;

// A car, its four parts and nine cameras that decode and differ from each other,
// with the game's own RCR distances (3840/7680) and trigger distance (3200).
ExeRecipe SampleExeRecipe(int patchLevel);

// The sample shapes, with their kinds' magic numbers and table offsets.
ShapeRecipe SampleShapeRecipe(ShapeKind kind);

// Writes the executable; false when the file cannot be made.
bool BuildExe(const std::filesystem::path& path, const ExeRecipe& recipe);

}  // namespace tavrel
