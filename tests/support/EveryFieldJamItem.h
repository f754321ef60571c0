#pragma once
// One JAM item whose record fields all hold different values: the signed one
// negative, the 16-bit ones with two different bytes and the unread byte set,
// so a field read from the wrong place, with the wrong width or sign shows.

#include "demo/JamWriter.h"

namespace tavrel::test {

inline JamItemRecipe EveryFieldItem() {
  JamItemRecipe item;
  item.x = 10;
  item.y = 300;
  item.unread = 0xEE;
  item.width = 4;
  item.height = 2;
  item.idx08 = -300;
  item.idx0A = 0xABCD;
  item.palettePtr = 0x0105;
  item.idx0E = 0x0E0F;
  item.paletteSize = 3;
  item.jamId = 777;
  item.idx14 = 0x1415;
  item.idx16 = 22;
  item.idx17 = 200;
  item.idx18 = {0, 1, 2, 3, 4, 5, 6, 255};
  item.palettes = {std::vector<std::uint8_t>{0, 255, 48}, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  return item;
}

}  // namespace tavrel::test
