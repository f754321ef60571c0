#include "cli/PngFile.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace tavrel::cli {
std::optional<std::vector<std::uint8_t>> PngBytes(const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.rgb.size() != picture.Offset(0, picture.height))
    return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  // The first call measures, the second writes into a buffer of that size.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, picture.rgb.data(), 0, nullptr)) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.rgb.data(), 0, nullptr)) return std::nullopt;
  bytes.resize(size);
  return bytes;
}

WriteResult WritePng(const std::filesystem::path& path, const Picture& picture) {
  const auto bytes = PngBytes(picture);
  if (!bytes) return {WriteResult::Failure::Write, path, std::make_error_code(std::errc::invalid_argument)};
  return writeFileAtomically(path, *bytes);
}

}  // namespace tavrel::cli
