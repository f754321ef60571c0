#pragma once
// The game's 256-colour palette, in which JAM pictures are shown.

#include <array>
#include <cstdint>

namespace tavrel {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  bool operator==(const Rgb&) const = default;
};

extern const std::array<Rgb, 256> kGamePalette;

}  // namespace tavrel
