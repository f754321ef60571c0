#pragma once
// Where the regions of a shape image lie, worked out from its header alone: the
// decoder reads from here, write-back writes here and the patch check holds each
// region against the room the shape has.

#include <cstdint>

#include "shape/ShapeHeader.h"

namespace tavrel {

inline constexpr int kPointRecordSize = 16;
inline constexpr int kConnectionRecordSize = 8;
inline constexpr int kPointsTrailerSize = 8;  // bytes between the last point record and the first connection
inline constexpr int kDataValueSize = 2;

// Image offsets, and the record counts the header gives each region: signed
// 32-bit differences of game addresses, negative when a region ends before it
// begins (the decoder then reads none).
struct ShapeLayout {
  std::int64_t scaleTableEnd = 0;  // the scale table starts at the table offset
  std::int64_t points = 0;
  std::int32_t pointCount = 0;
  std::int64_t connections = 0;
  std::int32_t connectionCount = 0;
  std::int64_t commands = 0;
  std::int64_t commandsEnd = 0;
  std::int64_t dataValues = 0;
  std::int32_t dataValueCount = 0;
};

ShapeLayout LayoutOf(const ShapeHeader& header, int tableOffset);

}  // namespace tavrel
