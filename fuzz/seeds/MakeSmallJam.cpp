// Writes a small JAM to the path given: two items with their colour tables on a
// canvas of four rows. The demo's JAMs are large, so a fuzz run on them alone
// gets through few inputs in a few seconds.
#include <cstdio>
#include <fstream>

#include "demo/JamWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.jam\n", argv[0]);
    return 2;
  }
  tavrel::JamRecipe recipe;
  recipe.totalImageSize = 1024;
  recipe.items = {tavrel::PatternItem(0, 0, 4, 2, 3, 1), tavrel::PatternItem(8, 2, 2, 2, 0, 2)};
  recipe.canvas = tavrel::PatternCanvas(4);
  const auto bytes = tavrel::BuildJamFile(recipe);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out.good() ? 0 : 1;
}
