#pragma once
// A recovery file: what a document with unsaved changes holds, written after
// every step so that a program that dies does not take the player's work with
// it. It keeps the file the document saves to, its name, the car and its parts
// with their edits and names, and the cameras.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "shape/Car.h"

namespace tavrel {

// Far more than a car, its four parts and its cameras take: a longer file is none of ours.
inline constexpr std::uintmax_t kLongestRecoveryFile = 1 << 20;

struct RecoveredCar {
  std::filesystem::path file;  // where the document saves; empty for an imported car
  std::string name;            // what the question names: the document's title
  std::unique_ptr<Car> car;
};

// The file's bytes; the car's and its parts' edits are written back first.
std::vector<std::uint8_t> RecoveryBytes(Car& car, const std::filesystem::path& file, const std::string& name);

// The car a recovery file holds, decoded; none when the bytes are not one
// whole recovery file.
std::optional<RecoveredCar> ReadRecovery(ByteView bytes);

// A new recovery file's path in the folder, named for this process.
std::filesystem::path NewRecoveryPath(const std::filesystem::path& folder);
// The recovery files in the folder whose program is no longer running: it
// died, or was killed, with unsaved changes.
std::vector<std::filesystem::path> OrphanedRecoveryFiles(const std::filesystem::path& folder);

}  // namespace tavrel
