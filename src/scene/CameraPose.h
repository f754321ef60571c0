#pragma once
// Where an in-car camera stands and which way it looks, in model axes. Its record
// keeps the game's axes (x across, y up, z ahead) in eighths of a model unit,
// while the model has y ahead and z up. The marker is drawn through this pose and
// the camera view looks through it, so the view shows what the marker's camera sees.

#include <array>

#include "scene/Matrix4.h"
#include "scene/PartPlacement.h"

namespace tavrel {

class Camera;

// A turn of `degrees` about the axis (x, y, z), as the drawing's Rotate takes it.
struct Turn {
  double degrees;
  double x;
  double y;
  double z;
};

struct CameraPose {
  Vec3 position;  // (-8 X, 8 Z, 8 Y)
  // The game's axes into the model's, then -direction about y, roll about z and
  // -pitch about x, in the game's axes: the camera looks along its +z, y up.
  std::array<Turn, 4> turns;
};

CameraPose PoseOf(const Camera& camera);
// The camera's axes into model axes: the translation, then the turns.
Matrix4 PoseMatrix(const CameraPose& pose);
// The eye at the camera, looking down the eye's -z where the camera looks.
Matrix4 CameraModelview(const Camera& camera);

}  // namespace tavrel
