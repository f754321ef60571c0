#pragma once
// Reading a decoded demo shape back as geometry: model positions of points and
// the polygons as the view walks them.

#include <memory>
#include <vector>

#include "demo/DemoShapes.h"
#include "shape/Car.h"

namespace tavrel::test {

// A demo shape decoded as the program decodes it.
struct DecodedDemo {
  demo::DemoShape shape;
  std::unique_ptr<Car> car;
};
DecodedDemo DecodeDemo(ShapeKind kind);

Vec3 PointOf(const Car& shape, int index);
// The corner points of every command with an index list, in command order.
std::vector<std::vector<int>> DrawnPolygons(const Car& shape);

struct Box {
  Vec3 low{1e9, 1e9, 1e9};
  Vec3 high{-1e9, -1e9, -1e9};
};
Box BoundsOf(const Car& shape);

}  // namespace tavrel::test
