#pragma once
// PNG files of pictures, for the tool's picture output.

#include <filesystem>

#include "base/FileWrites.h"
#include "textures/Picture.h"

namespace tavrel::cli {

// Stages `picture` as an 8-bit RGB PNG file among others written together. An empty
// picture fails as a write with an invalid argument.
WriteResult StagePng(StagedFiles& files, const std::filesystem::path& path, const Picture& picture);

// Writes `picture` as PNG, whole or not at all.
WriteResult WritePng(const std::filesystem::path& path, const Picture& picture);

}  // namespace tavrel::cli
