#include "demo/JamWriter.h"

#include <algorithm>

#include "base/Bytes.h"

namespace tavrel {

std::vector<std::uint8_t> BuildJamContent(const JamRecipe& recipe) {
  std::vector<std::uint8_t> out;
  appendU16(out, static_cast<std::uint16_t>(recipe.items.size()));
  appendU16(out, recipe.totalImageSize);
  for (const JamItemRecipe& item : recipe.items) {
    out.push_back(item.x);
    appendU16(out, item.y);
    out.push_back(item.unread);
    appendU16(out, item.width);
    appendU16(out, item.height);
    appendU16(out, static_cast<std::uint16_t>(item.idx08));
    appendU16(out, item.idx0A);
    appendU16(out, item.palettePtr);
    appendU16(out, item.idx0E);
    appendU16(out, item.paletteSize);
    appendU16(out, item.jamId);
    appendU16(out, item.idx14);
    out.push_back(item.idx16);
    out.push_back(item.idx17);
    out.insert(out.end(), item.idx18.begin(), item.idx18.end());
  }
  for (const JamItemRecipe& item : recipe.items) {
    for (std::vector<std::uint8_t> table : item.palettes) {
      table.resize(item.paletteSize, 0);
      out.insert(out.end(), table.begin(), table.end());
    }
  }
  out.insert(out.end(), recipe.canvas.begin(), recipe.canvas.end());
  return out;
}

std::vector<std::uint8_t> BuildJamFile(const JamRecipe& recipe, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes = BuildJamContent(recipe);
  ScrambleJamBytes(bytes, seed);
  return bytes;
}

std::vector<std::uint8_t> PatternCanvas(int rows, int step) {
  std::vector<std::uint8_t> canvas(static_cast<std::size_t>(rows) * JAM::kCanvasWidth);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < JAM::kCanvasWidth; ++c)
      canvas[static_cast<std::size_t>(r) * JAM::kCanvasWidth + static_cast<std::size_t>(c)] =
          static_cast<std::uint8_t>(c + r * step);
  return canvas;
}

JamItemRecipe PatternItem(std::uint8_t x, std::uint16_t y, std::uint16_t width, std::uint16_t height,
                          std::uint16_t paletteSize, std::uint16_t jamId, int shift) {
  JamItemRecipe item;
  item.x = x;
  item.y = y;
  item.width = width;
  item.height = height;
  item.paletteSize = paletteSize;
  item.jamId = jamId;
  for (int table = 0; table < 4; ++table) {
    auto& palette = item.palettes[static_cast<std::size_t>(table)];
    for (int k = 0; k < paletteSize; ++k) palette.push_back(static_cast<std::uint8_t>(k + table + shift));
  }
  return item;
}

JamRecipe SolidItemsJam(const std::vector<SolidItem>& items) {
  JamRecipe recipe;
  int rows = 0;
  for (const SolidItem& solid : items) {
    JamItemRecipe item;
    item.width = solid.width;
    item.height = solid.height;
    item.paletteSize = 1;
    item.jamId = static_cast<std::uint16_t>(recipe.items.size());
    item.palettes[0] = {solid.colour};
    recipe.items.push_back(item);
    rows = std::max<int>(rows, solid.height);
  }
  recipe.canvas.assign(static_cast<std::size_t>(rows) * JAM::kCanvasWidth, 0);
  return recipe;
}

}  // namespace tavrel
