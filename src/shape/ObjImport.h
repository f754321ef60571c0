#pragma once
// Point positions back from a modeller: the `v` lines of a WaveFront file, in
// order, as a shape's new points. Each coordinate is rounded to the nearest whole
// unit; faces, lines, normals, texture coordinates, groups and comments are read
// past. Connections, polygons and everything else keep what they were.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "shape/ElementFields.h"

namespace tavrel {

class Messages;
class Object3D;

struct ObjPoints {
  std::vector<PointValues> points;
  std::string refusal;  // empty when the text was read; else why not, naming the line
};

ObjPoints ReadObjPoints(std::string_view text);

// Takes the file's points when it holds one `v` line for each of the shape's
// points. False, after a message naming the file, with nothing changed otherwise.
bool ImportObjPoints(const std::filesystem::path& path, Object3D& shape, Messages& messages);

}  // namespace tavrel
