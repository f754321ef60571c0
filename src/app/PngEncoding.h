#pragma once
// PNG pictures encoded by Qt: the desktop program's encoder for the document's
// glTF export, and the car view's pictures written whole or not at all.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/FileWrites.h"
#include "textures/Picture.h"

class QImage;

namespace tavrel {

std::optional<std::vector<std::uint8_t>> EncodePng(const Picture& picture);
WriteResult WritePngFile(const QImage& image, const std::filesystem::path& path);

}  // namespace tavrel
