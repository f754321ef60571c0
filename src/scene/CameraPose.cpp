#include "scene/CameraPose.h"

#include "shape/Camera.h"

namespace tavrel {

CameraPose PoseOf(const Camera& camera) {
  const CameraRecord& r = camera.m_Record;
  return {{-8.0 * r.X, 8.0 * r.Z, 8.0 * r.Y},
          {{
              {180, 0, 1, 1},  // x to -x, y to z, z to y
              {-static_cast<double>(camera.m_DirectionDeg), 0, 1, 0},
              {static_cast<double>(camera.m_RollDeg), 0, 0, 1},
              {-static_cast<double>(camera.m_PitchDeg), 1, 0, 0},
          }}};
}

Matrix4 PoseMatrix(const CameraPose& pose) {
  Matrix4 matrix = Translation(pose.position.x, pose.position.y, pose.position.z);
  for (const Turn& turn : pose.turns) matrix = matrix * Rotation(turn.degrees, turn.x, turn.y, turn.z);
  return matrix;
}

Matrix4 CameraModelview(const Camera& camera) {
  const CameraPose pose = PoseOf(camera);
  // The pose undone (its turns back in reverse order, then the way back), after
  // half a turn about y that faces the camera's +z down the eye's -z.
  Matrix4 matrix = Rotation(180, 0, 1, 0);
  for (auto turn = pose.turns.rbegin(); turn != pose.turns.rend(); ++turn)
    matrix = matrix * Rotation(-turn->degrees, turn->x, turn->y, turn->z);
  return matrix * Translation(-pose.position.x, -pose.position.y, -pose.position.z);
}

}  // namespace tavrel
