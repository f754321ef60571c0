#include "cli/PngFile.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "base/Files.h"

namespace tavrel::cli {

bool WritePng(const std::filesystem::path& path, const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.rgb.size() != picture.Offset(0, picture.height)) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  // The first call measures, the second writes into a buffer of that size.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, picture.rgb.data(), 0, nullptr)) return false;
  std::vector<std::uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.rgb.data(), 0, nullptr)) return false;
  bytes.resize(size);
  return writeFileAtomically(path, bytes);
}

}  // namespace tavrel::cli
