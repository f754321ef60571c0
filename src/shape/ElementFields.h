#pragma once
// The values an element's editor shows and takes: a point's or connection's
// three numbers, a camera's ten fields.

namespace tavrel {

struct PointValues {
  int x = 0;
  int y = 0;
  int z = 0;
  bool operator==(const PointValues&) const = default;
};

// The camera editor's ten fields; the angles in degrees.
struct CameraFields {
  int x = 0;
  int y = 0;
  int z = 0;
  int direction = 0;
  int pitch = 0;
  int roll = 0;
  int detail1 = 0;
  int detail2 = 0;
  int rearWheel = 0;
  int frontWheel = 0;
};

}  // namespace tavrel
