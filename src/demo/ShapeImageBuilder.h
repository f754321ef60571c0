#pragma once
// Lays out a valid shape image from element lists: header, scale table, command
// list, points (with the 8 bytes the game keeps after them), connections and
// data values, addressed from a chosen base address.

#include <array>
#include <cstdint>
#include <vector>

#include "shape/ShapeHeader.h"
#include "shape/ShapeKind.h"

namespace tavrel {

struct ShapeRecipe {
  // Stored point records: x as the image holds it (the model's x negated), y, z, u1.
  std::vector<std::array<std::int32_t, 4>> points;
  // from, to (0-based points), u1, u2.
  std::vector<std::array<std::uint16_t, 4>> connections;
  // Each command: the opcode followed by its argument words; sequence numbers are added.
  std::vector<std::vector<std::uint16_t>> commands;
  std::vector<std::uint16_t> dataValues;
  std::vector<std::uint8_t> scaleTable = std::vector<std::uint8_t>(16, 0);
  std::int16_t magic = ShapeHeader::kMagicCar;
  std::uint32_t baseAddress = 0x00500000;  // game address of the scale table
  int tableOffset = 94;
};

// The image up to the end of its data values.
std::vector<std::uint8_t> BuildShapeImage(const ShapeRecipe& recipe);

// The image padded with zeros to the length of a file of the kind's shape (a
// whole image for the car, the part file's length for a part).
std::vector<std::uint8_t> BuildShapeFile(const ShapeRecipe& recipe, ShapeKind kind = ShapeKind::Car);

// A car of realistic size for benchmarks: 300 points, 600 connections, 400
// polygon commands walking connections both ways, 200 data values.
ShapeRecipe FullCarRecipe();

// The header BuildShapeImage writes for a recipe.
ShapeHeader ShapeHeaderFor(const ShapeRecipe& recipe);

}  // namespace tavrel
