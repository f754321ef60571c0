// Writes a small JAM to the path given: two items with their colour tables on a
// canvas of four rows. The demo's JAMs are large, so a fuzz run on them alone
// gets through few inputs in a few seconds.
#include <cstdio>

#include "base/FileWrites.h"
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
  const tavrel::WriteResult written = tavrel::writeFileAtomically(argv[1], tavrel::BuildJamFile(recipe));
  if (written) return 0;
  std::fprintf(stderr, "%s\n", tavrel::WriteFailureMessage(written).c_str());
  return 1;
}
