#include "demo/DemoTextureCfg.h"

#include "base/Format.h"
#include "demo/TextureLayout.h"

namespace tavrel::demo {

std::string MakeDemoTextureCfg(const DemoShape& car) {
  std::string text =
      "// Texture mapping of the demo car: command position, texture slot (1 to 3 the\n"
      "// livery, 4 the chassis), corner count, then u,v of each corner in texels.\n";
  for (std::size_t position = 0; position < car.polygons.size(); ++position) {
    const Polygon& polygon = car.polygons[position];
    if (polygon.corners.empty()) continue;
    std::vector<Vec3> corners;
    Vec3 centre;
    for (int point : polygon.corners) {
      corners.push_back(car.points[static_cast<std::size_t>(point)]);
      centre = centre + corners.back() * (1.0 / static_cast<double>(polygon.corners.size()));
    }
    const Projection projection = ProjectionFor(polygon.surface, OutwardNormal(corners), centre);
    text += format("%zu,%d,%zu", position, projection.slot, corners.size());
    for (Vec3 corner : corners) text += format(",%d,%d", projection.u.At(corner), projection.v.At(corner));
    text += '\n';
  }
  return text;
}

}  // namespace tavrel::demo
