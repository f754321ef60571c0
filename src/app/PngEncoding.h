#pragma once
// PNG bytes of a picture, encoded by Qt: the desktop program's encoder for the
// document's glTF export.

#include <cstdint>
#include <optional>
#include <vector>

#include "textures/Picture.h"

namespace tavrel {

std::optional<std::vector<std::uint8_t>> EncodePng(const Picture& picture);

}  // namespace tavrel
