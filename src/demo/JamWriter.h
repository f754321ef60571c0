#pragma once
// Writes JAM files from items, colour tables and a canvas: for tests, fuzz seeds
// and the demo game.

#include <array>
#include <cstdint>
#include <vector>

#include "textures/JAM.h"

namespace tavrel {

struct JamItemRecipe {
  std::uint8_t x = 0;
  std::uint16_t y = 0;
  std::uint8_t unread = 0;  // the record byte at offset 3
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::int16_t idx08 = 0;
  std::uint16_t idx0A = 0;
  std::uint16_t palettePtr = 0;
  std::uint16_t idx0E = 0;
  std::uint16_t paletteSize = 0;
  std::uint16_t jamId = 0;
  std::uint16_t idx14 = 0;
  std::uint8_t idx16 = 0;
  std::uint8_t idx17 = 0;
  std::array<std::uint8_t, 8> idx18{};
  // Palette1 to Palette4; each is written as paletteSize bytes, cut or padded with zeros.
  std::array<std::vector<std::uint8_t>, 4> palettes;
};

struct JamRecipe {
  std::uint16_t totalImageSize = 0;
  std::vector<JamItemRecipe> items;
  std::vector<std::uint8_t> canvas;  // rows of 256 bytes
};

// The file as it is after descrambling.
std::vector<std::uint8_t> BuildJamContent(const JamRecipe& recipe);

// The file as it is stored: the content scrambled with `seed`.
std::vector<std::uint8_t> BuildJamFile(const JamRecipe& recipe, std::uint32_t seed = kDefaultJamSeed);

// A canvas of `rows` rows of 256 bytes in which byte (c, r) is (c + r * step) modulo 256.
std::vector<std::uint8_t> PatternCanvas(int rows, int step = 1);

// An item covering width x height at (x, y) with `paletteSize` bytes in each
// table; Palette1 byte k is (k + shift) modulo 256, the other tables are k + 1,
// k + 2 and k + 3 with the same shift.
JamItemRecipe PatternItem(std::uint8_t x, std::uint16_t y, std::uint16_t width, std::uint16_t height,
                          std::uint16_t paletteSize, std::uint16_t jamId, int shift = 0);

struct SolidItem {
  std::uint16_t width;
  std::uint16_t height;
  std::uint8_t colour;  // game palette index
};

// A JAM whose item i is a picture of items[i].width x height pixels all of
// colour items[i].colour: every item lies at (0, 0) of a zero canvas and maps
// canvas byte 0 through a one-entry Palette1.
JamRecipe SolidItemsJam(const std::vector<SolidItem>& items);

}  // namespace tavrel
