// Arbitrary bytes as texture.cfg. A reading maps at most one position per line
// and nothing at all from text without a comma.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "textures/CarMappingTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tavrel::CarMappingTable table;
  table.ReadTextureCfgText(text);
  int mapped = 0;
  for (int position = 0; position < tavrel::CarMappingTable::kEntryCount; ++position)
    mapped += table.IsMapped(position);
  const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
  if (mapped > lines) __builtin_trap();
  if (mapped > 0 && text.find(',') == std::string_view::npos) __builtin_trap();
  if (table.IsMapped(-1) || table.IsMapped(tavrel::CarMappingTable::kEntryCount)) __builtin_trap();
  return 0;
}
