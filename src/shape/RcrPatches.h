#pragma once
// The two view-distance settings the game keeps in its executable: the block of
// four RCR distances (cockpit, on-board, chase and camera view) and the RCR
// trigger distance, each a signed 32-bit little-endian value. The caller gives
// the offsets (RcrBlockOffset of the patch level, kTriggerOffset).

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "shape/ExecutableFile.h"

namespace tavrel {

class Messages;

using RcrDistances = std::array<std::int32_t, 4>;

// The four distances; a value the file does not hold in full reads as 0. None
// (after the missing-executable message) when the executable cannot be opened.
std::optional<RcrDistances> ReadRcrDistances(const std::filesystem::path& path, std::int64_t blockOffset,
                                             Messages& messages);
// Patches the 16 bytes of the block; a file too short for it is left alone
// ("Failed to find RCR Distance Data").
PatchResult WriteRcrDistances(const std::filesystem::path& path, std::int64_t blockOffset,
                              const RcrDistances& distances, Messages& messages);

std::optional<std::int32_t> ReadTriggerDistance(const std::filesystem::path& path, std::int64_t offset,
                                                Messages& messages);
// "Failed to find RCR Trigger Data" when the file is too short.
PatchResult WriteTriggerDistance(const std::filesystem::path& path, std::int64_t offset, std::int32_t distance,
                                 Messages& messages);

}  // namespace tavrel
