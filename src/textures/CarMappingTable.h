#pragma once
// The car mapping table: for each command position of the car's command list,
// the texture slot to use and the texel coordinates of each corner. Filled from
// texture.cfg, or from a built-in table when there is none.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavrel {

struct MappingEntry {
  static constexpr int kMaxCorners = 20;
  bool mapped = false;
  std::array<std::int32_t, kMaxCorners> u{};
  std::array<std::int32_t, kMaxCorners> v{};
  std::int32_t texture = 0;  // 1 to 4 selects a texture slot

  bool operator==(const MappingEntry&) const = default;
};

class CarMappingTable {
 public:
  static constexpr int kEntryCount = 390;

  // Reads texture.cfg in `directory` (the working directory in the program),
  // or applies the built-in table when it cannot be opened. Only the mapped
  // flags are cleared first: slots and corners keep what earlier readings left.
  // Returns why a file that is there was refused (traced too, as the program
  // says nothing about texture.cfg); empty when it was read or cannot be opened.
  std::string ReadTextureCfg(const std::filesystem::path& directory);
  // One reading of texture.cfg's text, as ReadTextureCfg does when the file opens.
  void ReadTextureCfgText(std::string_view text);

  bool IsMapped(int position) const;
  // The entry of a position; positions outside the table give an empty entry.
  MappingEntry GetMapping(int position) const;

 private:
  void ClearMappedFlags();
  void ApplyBuiltInMapping();

  std::array<MappingEntry, kEntryCount> m_Entries{};
};

}  // namespace tavrel
