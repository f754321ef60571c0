#pragma once
// Whole-file reads; the all-or-nothing writes come with them from FileWrites.h.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "base/FileWrites.h"

namespace tavrel {

// The file's length, or nothing when it does not exist or is not a regular file.
std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path);

// The whole file, or nothing when it cannot be opened or read or does not fit
// in memory. Readers of outside files use readFileUpTo, which bounds the cost.
std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path);

// At most `limit` bytes from the start of the file (all of a shorter file), or
// nothing when it cannot be opened or read or does not fit in memory. Reads no
// more than it returns.
std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path, std::size_t limit);

// A whole-file read bounded by a ceiling on the file's length.
struct BoundedRead {
  enum class Status { Read, Unreadable, TooLarge, OutOfMemory };
  Status status = Status::Unreadable;
  std::uintmax_t size = 0;  // the file's length, once known
  std::uintmax_t ceiling = 0;
  std::vector<std::uint8_t> bytes;  // the whole file when Read

  // Why a file that could be opened was not read (TooLarge, OutOfMemory), as
  // the end of a message, e.g. "its 900 bytes are more than the 512 bytes a
  // texture.cfg may hold" for `kind` "a texture.cfg".
  std::string Refusal(const char* kind) const;
};

// The whole file when it is at most `ceiling` bytes long. A longer file is
// refused from its length before a byte is read, and memory that cannot be had
// gives OutOfMemory instead of ending the program.
BoundedRead readFileUpTo(const std::filesystem::path& path, std::uintmax_t ceiling);

}  // namespace tavrel
