// Writes a small car shape: a box-shaped body of eight points, its twelve edges
// and six faces, with a few data values.
#include <cstdio>

#include "base/Files.h"
#include "builders/ShapeImageBuilder.h"
#include "shape/Car.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tavrel-make-sample OUT.cs3\n");
    return 2;
  }
  tavrel::ShapeSpec spec;
  for (int i = 0; i < 8; ++i)
    spec.points.push_back({(i & 1) ? -400 : 400, (i & 2) ? 2000 : -2000, (i & 4) ? 500 : 0, 0});
  const std::uint16_t edges[12][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}, {4, 5}, {5, 7},
                                      {7, 6}, {6, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  for (const auto& edge : edges) spec.connections.push_back({edge[0], edge[1], 0, 0});
  // Faces as walks over the 1-based connections; a negative entry walks one backwards.
  const std::vector<std::vector<std::uint16_t>> faces = {
      {1, 1, 2, 3, 4, 0},           {1, 5, 6, 7, 8, 0},
      {1, 1, 10, 0xFFFB, 0xFFF7, 0}, {1, 3, 11, 0xFFF9, 0xFFF4, 0},
      {0x11, 0, 0, 2, 12, 0xFFFA, 0xFFF6, 0}, {0x80, 1, 2, 3}};
  spec.commands = faces;
  spec.dataValues = {12, 34, 56, 78, 90, 1, 2, 3, 4, 5};
  std::vector<std::uint8_t> image = tavrel::BuildShapeImage(spec);
  image.resize(tavrel::Car::kImageSize, 0);
  return tavrel::writeFileAtomically(argv[1], image) ? 0 : 1;
}
