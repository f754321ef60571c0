#pragma once
// The two view-distance settings the game keeps in its executable: the block of
// four RCR distances (cockpit, on-board, chase and camera view) and the RCR
// trigger distance, each a signed 32-bit little-endian value. Readers are given
// the offsets (RcrBlockOffset of the patch level, kTriggerOffset); writing the
// block takes the patch level, whose car shows the block is where it is looked for.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "shape/ExecutableFile.h"

namespace tavrel {

class Messages;

using RcrDistances = std::array<std::int32_t, 4>;

// A value as the executable holds it; not `found` when the file ends before the
// value's last byte, and then 0, as the dialogs show it.
struct ExeValue {
  std::int32_t value = 0;
  bool found = false;
};
using RcrValues = std::array<ExeValue, 4>;

// The four distances, each found or not. None (after the missing-executable
// message) when the executable cannot be opened.
std::optional<RcrValues> ReadRcrValues(const std::filesystem::path& path, std::int64_t blockOffset, Messages& messages);
// The same as the dialog shows them: a value not found reads as 0.
std::optional<RcrDistances> ReadRcrDistances(const std::filesystem::path& path, std::int64_t blockOffset,
                                             Messages& messages);
// Patches the 16 bytes of the block of the patch level. A file too short for it
// is left alone ("Failed to find RCR Distance Data"), and so is one without the
// car of that patch level (wrong patch level?).
PatchResult WriteRcrDistances(const std::filesystem::path& path, int patchLevel, const RcrDistances& distances,
                              Messages& messages);

std::optional<ExeValue> ReadTriggerValue(const std::filesystem::path& path, std::int64_t offset, Messages& messages);
std::optional<std::int32_t> ReadTriggerDistance(const std::filesystem::path& path, std::int64_t offset,
                                                Messages& messages);
// The result's failure tells an executable that cannot be opened for update
// (CannotOpen) from one too short for the value (NotReachable: "Failed to find
// RCR Trigger Data"); neither writes anything.
PatchResult WriteTriggerDistance(const std::filesystem::path& path, std::int64_t offset, std::int32_t distance,
                                 Messages& messages);

}  // namespace tavrel
