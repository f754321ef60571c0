#include "base/Files.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <system_error>

namespace tavrel {

std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path, std::size_t limit) {
  const auto size = fileSize(path);
  if (!size) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(*size, limit)));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
  return bytes;
}

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
  return readFileStart(path, std::numeric_limits<std::size_t>::max());
}

}  // namespace tavrel
