#pragma once
// The corners of a command's polygon as the car view draws them. Index-list
// entry e names connection |e| (1-based) and gives its start point when e > 0,
// its end point when e < 0. Entries naming no connection, or a connection whose
// point is not in the table, give no corner but still count as list positions,
// which is what the texture coordinates of the following corners are indexed by.

#include <vector>

#include "shape/Object3D.h"

namespace tavrel {

struct PolygonCorner {
  int position;  // k, the index-list position
  int point;     // 0-based point number
};

std::vector<PolygonCorner> PolygonCorners(const Object3D& shape, const TextureCmd& command);

}  // namespace tavrel
