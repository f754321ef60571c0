#include "base/Files.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <new>
#include <system_error>

#include "base/Format.h"

namespace tavrel {

std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

namespace {

// The first `length` bytes of the file into `bytes`; false when they cannot be
// read. Throws std::bad_alloc when they do not fit in memory.
bool readStart(const std::filesystem::path& path, std::uintmax_t length, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.resize(static_cast<std::size_t>(length));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return in.gcount() == static_cast<std::streamsize>(bytes.size());
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path, std::size_t limit) {
  const auto size = fileSize(path);
  if (!size) return std::nullopt;
  try {
    std::vector<std::uint8_t> bytes;
    if (!readStart(path, std::min<std::uintmax_t>(*size, limit), bytes)) return std::nullopt;
    return bytes;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
  return readFileStart(path, std::numeric_limits<std::size_t>::max());
}

std::string BoundedRead::Refusal(const char* kind) const {
  if (status == Status::TooLarge)
    return format("its %ju bytes are more than the %ju bytes %s may hold", size, ceiling, kind);
  return format("its %ju bytes do not fit in memory", size);
}

BoundedRead readFileUpTo(const std::filesystem::path& path, std::uintmax_t ceiling) {
  BoundedRead read;
  read.ceiling = ceiling;
  const auto size = fileSize(path);
  if (!size) return read;
  read.size = *size;
  if (*size > ceiling) {
    read.status = BoundedRead::Status::TooLarge;
    return read;
  }
  try {
    if (readStart(path, *size, read.bytes)) read.status = BoundedRead::Status::Read;
  } catch (const std::bad_alloc&) {
    read.status = BoundedRead::Status::OutOfMemory;
  }
  if (read.status != BoundedRead::Status::Read) std::vector<std::uint8_t>().swap(read.bytes);
  return read;
}

}  // namespace tavrel
