// The demo's nine in-car cameras, where a broadcast would mount them.
#include "demo/DemoShapes.h"

namespace tavrel::demo {
namespace {

struct Mount {
  Vec3 position;  // model axes
  int direction;  // degrees, 0 looks forwards
  int pitch;
  int roll;
  std::int16_t rearWheel;  // 0 both drawn as polygons, 1 the left, 256 the right
  std::int16_t frontWheel;
};

// The record keeps x mirrored, y as Z and the height as Y, in eighths of a
// model unit: the view draws a camera at (-8 X, 8 Z, 8 Y).
CameraRecord recordFor(const Mount& mount) {
  CameraRecord record;
  record.X = static_cast<std::int16_t>(-mount.position.x / 8);
  record.Z = static_cast<std::int16_t>(mount.position.y / 8);
  record.Y = static_cast<std::int16_t>(mount.position.z / 8);
  record.Direction = FromDegrees(mount.direction);
  record.Pitch = FromDegrees(mount.pitch);
  record.Roll = FromDegrees(mount.roll);
  record.Detail1 = 3;
  record.Detail2 = 2;
  record.RearWheel = mount.rearWheel;
  record.FrontWheel = mount.frontWheel;
  return record;
}

}  // namespace

std::array<CameraRecord, 9> MakeDemoCameras() {
  const Mount mounts[9] = {
      {{0, -340, 960}, 0, -6, 0, 0, 0},         // just above the driver's helmet
      {{0, -800, 1080}, 0, -8, 0, 0, 0},        // roll hoop, looking forwards
      {{-560, 150, 540}, 0, -3, -2, 1, 1},      // left sidepod, forwards
      {{560, 150, 540}, 180, -3, 2, 256, 256},  // right sidepod, looking back
      {{0, 2150, 420}, 0, -2, 0, 0, 0},         // nose tip, low and forwards
      {{0, 1300, 600}, 180, -10, 0, 0, 0},      // nose, looking back at the driver
      {{0, -2350, 1040}, 0, -12, 0, 0, 0},      // rear wing, over the whole car
      {{0, -850, 1060}, 180, -6, 0, 0, 0},      // roll hoop, looking back
      {{-890, 2320, 330}, 8, -2, -3, 1, 1},     // front wing end plate
  };
  std::array<CameraRecord, 9> records;
  for (std::size_t i = 0; i < records.size(); ++i) records[i] = recordFor(mounts[i]);
  return records;
}

}  // namespace tavrel::demo
