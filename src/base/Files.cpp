#include "base/Files.h"

#include <cstdio>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace tavrel {

std::optional<std::uintmax_t> fileSize(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
  const auto size = fileSize(path);
  if (!size) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
  return bytes;
}

bool writeFileAtomically(const std::filesystem::path& path, ByteView bytes) {
  std::filesystem::path temporary = path;
  temporary += ".tavrel-" + std::to_string(::getpid()) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace tavrel
