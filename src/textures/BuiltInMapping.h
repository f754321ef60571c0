#pragma once
// The mapping the program falls back on when there is no texture.cfg.

#include <array>
#include <cstdint>

namespace tavrel {

struct MappingCorner {
  std::int32_t u;
  std::int32_t v;
};

// A position, a count and up to seven corners; a u of -1 ends the corners early.
struct BuiltInMappingEntry {
  std::int16_t position;
  std::int8_t count;
  std::array<MappingCorner, 7> corners;
};

extern const std::array<BuiltInMappingEntry, 164> kBuiltInMapping;

}  // namespace tavrel
