#pragma once
// PNG files of pictures, for the tool's picture output.

#include <filesystem>

#include "textures/Picture.h"

namespace tavrel::cli {

// Writes `picture` as an 8-bit RGB PNG, whole or not at all. False when the
// picture is empty or the file cannot be written.
bool WritePng(const std::filesystem::path& path, const Picture& picture);

}  // namespace tavrel::cli
