#pragma once
// PNG files of pictures, for the tool's picture output.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/FileWrites.h"
#include "textures/Picture.h"

namespace tavrel::cli {

// The bytes of `picture` as an 8-bit RGB PNG file; nothing for an empty picture.
std::optional<std::vector<std::uint8_t>> PngBytes(const Picture& picture);

// Writes `picture` as PNG, whole or not at all.
WriteResult WritePng(const std::filesystem::path& path, const Picture& picture);

}  // namespace tavrel::cli
