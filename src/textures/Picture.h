#pragma once
// A platform-free true-colour picture: what the views hand to the toolkit and
// what the texture slots hold.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "textures/GamePalette.h"

namespace tavrel {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height pixels of red, green, blue; top row first

  Picture() = default;
  Picture(int pictureWidth, int pictureHeight)
      : width(pictureWidth),
        height(pictureHeight),
        rgb(static_cast<std::size_t>(pictureWidth) * static_cast<std::size_t>(pictureHeight) * 3) {}

  bool Contains(int column, int row) const { return column >= 0 && row >= 0 && column < width && row < height; }
  std::size_t Offset(int column, int row) const {
    return (static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column)) * 3;
  }
  // The colour at (column, row); black outside the picture.
  Rgb At(int column, int row) const {
    if (!Contains(column, row)) return {0, 0, 0};
    const std::size_t at = Offset(column, row);
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
  }
  // Sets (column, row); ignored outside the picture.
  void Set(int column, int row, Rgb colour) {
    if (!Contains(column, row)) return;
    const std::size_t at = Offset(column, row);
    rgb[at] = colour.red;
    rgb[at + 1] = colour.green;
    rgb[at + 2] = colour.blue;
  }
  bool operator==(const Picture&) const = default;
};

}  // namespace tavrel
