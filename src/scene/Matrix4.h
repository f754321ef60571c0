#pragma once
// 4x4 matrices as OpenGL keeps them (column-major), with the transformations the
// car view multiplies onto its matrices. Drawing, picking and number labels all
// use these numbers: the GL path loads them instead of computing its own.

#include <array>
#include <optional>

#include "base/Vec3.h"

namespace tavrel {

struct Matrix4 {
  std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // identity

  double& at(int row, int column) { return m[index(row, column)]; }
  double at(int row, int column) const { return m[index(row, column)]; }

 private:
  static std::size_t index(int row, int column) {
    return static_cast<std::size_t>(column) * 4 + static_cast<std::size_t>(row);
  }
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);

Matrix4 Translation(double x, double y, double z);
// A turn of `degrees` about the axis (x, y, z), which need not be of unit length.
Matrix4 Rotation(double degrees, double x, double y, double z);
// A perspective of `fovyDegrees` vertical field of view.
Matrix4 Perspective(double fovyDegrees, double aspect, double zNear, double zFar);
// An eye at `eye` looking towards `centre`, `up` pointing up on the screen.
Matrix4 LookAt(Vec3 eye, Vec3 centre, Vec3 up);

// The point transformed by the matrix, divided by w (w = 0 leaves it undivided).
Vec3 TransformPoint(const Matrix4& matrix, Vec3 point);
// The matrix that undoes this one; none when it is singular.
std::optional<Matrix4> Inverse(const Matrix4& matrix);

// The window area a frame is drawn into.
struct Viewport {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Window coordinates of a model point (y grows upwards, as OpenGL counts), or
// nothing when the point lies in the eye's plane.
struct WindowPoint {
  double x = 0;
  double y = 0;
  double z = 0;
};
bool ProjectPoint(Vec3 point, const Matrix4& modelview, const Matrix4& projection, const Viewport& viewport,
                  WindowPoint& out);
// The model point that shows at these window coordinates (ProjectPoint undone);
// none when the matrices are singular.
std::optional<Vec3> UnprojectPoint(WindowPoint window, const Matrix4& modelview, const Matrix4& projection,
                                   const Viewport& viewport);

}  // namespace tavrel
