#pragma once
// One frame of the car view, drawn through the Drawing interface: the axis
// cross, the car's polygons, points, connections and selection markers, the
// camera markers and the parts in their places, then the number labels.
//
// The view draws a frame in four steps: DrawCarFrame3D, then it presents the
// picture, picks the point under the cursor, and writes FrameLabels over it.

#include "scene/DisplayFlags.h"

namespace tavrel {

class Car;
class CarMappingTable;
class Drawing;

struct FrameInput {
  const Car* car = nullptr;  // none for an empty document
  const CarMappingTable& mapping;
  const DisplayFlags& flags;
  bool texturesMade = false;  // the texture objects of the view's context hold the slots
};

// False, with nothing drawn, when there is no car: the frame is then not presented.
// A frame drawn with showTexture on has made the texture objects.
bool DrawCarFrame3D(Drawing& drawing, const FrameInput& input);

// The point, connection, polygon and camera numbers the flags ask for.
void FrameLabels(Drawing& drawing, const FrameInput& input);

}  // namespace tavrel
