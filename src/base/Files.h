#pragma once
// Whole-file reads; the all-or-nothing writes come with them from FileWrites.h.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/Bytes.h"
#include "base/FileWrites.h"

namespace tavrel {

// The file's length, or nothing when it does not exist or is not a regular file.
std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path);

// At most `limit` bytes from the start of the file (all of a shorter file), or
// nothing when it cannot be opened or read. Reads no more than it returns.
std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path, std::size_t limit);

}  // namespace tavrel
