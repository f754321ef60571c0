#pragma once
// Whole-file reads and all-or-nothing writes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "base/Bytes.h"

namespace tavrel {

// The file's length, or nothing when it does not exist or is not a regular file.
std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path);

// At most `limit` bytes from the start of the file (all of a shorter file), or
// nothing when it cannot be opened or read. Reads no more than it returns.
std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path, std::size_t limit);

// Writes to a temporary file beside the target and renames it over the target,
// so a crash or a full disk never leaves a half-written file. False on failure,
// with the target untouched.
bool writeFileAtomically(const std::filesystem::path& path, ByteView bytes);

// The same for text, written byte for byte: no line ends are translated.
inline bool writeFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return writeFileAtomically(path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace tavrel
