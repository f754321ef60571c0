#include "scene/Matrix4.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace tavrel {
namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

Vec3 normalized(Vec3 v) {
  const double length = std::sqrt(dot(v, v));
  if (length == 0) return v;
  return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 product;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.at(row, k) * b.at(k, column);
      product.at(row, column) = sum;
    }
  return product;
}

Matrix4 Translation(double x, double y, double z) {
  Matrix4 t;
  t.at(0, 3) = x;
  t.at(1, 3) = y;
  t.at(2, 3) = z;
  return t;
}

Matrix4 Rotation(double degrees, double x, double y, double z) {
  const Vec3 axis = normalized({x, y, z});
  const double c = std::cos(radians(degrees));
  const double s = std::sin(radians(degrees));
  const double t = 1 - c;
  Matrix4 r;
  r.at(0, 0) = axis.x * axis.x * t + c;
  r.at(0, 1) = axis.x * axis.y * t - axis.z * s;
  r.at(0, 2) = axis.x * axis.z * t + axis.y * s;
  r.at(1, 0) = axis.y * axis.x * t + axis.z * s;
  r.at(1, 1) = axis.y * axis.y * t + c;
  r.at(1, 2) = axis.y * axis.z * t - axis.x * s;
  r.at(2, 0) = axis.z * axis.x * t - axis.y * s;
  r.at(2, 1) = axis.z * axis.y * t + axis.x * s;
  r.at(2, 2) = axis.z * axis.z * t + c;
  return r;
}

Matrix4 Perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
  const double f = 1.0 / std::tan(radians(fovyDegrees) / 2);
  Matrix4 p;
  p.at(0, 0) = f / aspect;
  p.at(1, 1) = f;
  p.at(2, 2) = (zFar + zNear) / (zNear - zFar);
  p.at(2, 3) = 2 * zFar * zNear / (zNear - zFar);
  p.at(3, 2) = -1;
  p.at(3, 3) = 0;
  return p;
}

Matrix4 LookAt(Vec3 eye, Vec3 centre, Vec3 up) {
  const Vec3 forward = normalized({centre.x - eye.x, centre.y - eye.y, centre.z - eye.z});
  const Vec3 side = normalized(cross(forward, up));
  const Vec3 upward = cross(side, forward);
  Matrix4 view;
  const Vec3 rows[3] = {side, upward, {-forward.x, -forward.y, -forward.z}};
  for (int row = 0; row < 3; ++row) {
    view.at(row, 0) = rows[row].x;
    view.at(row, 1) = rows[row].y;
    view.at(row, 2) = rows[row].z;
  }
  return view * Translation(-eye.x, -eye.y, -eye.z);
}

Vec3 TransformPoint(const Matrix4& matrix, Vec3 point) {
  double out[4];
  for (int row = 0; row < 4; ++row)
    out[row] =
        matrix.at(row, 0) * point.x + matrix.at(row, 1) * point.y + matrix.at(row, 2) * point.z + matrix.at(row, 3);
  if (out[3] == 0) return {out[0], out[1], out[2]};
  return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

// Gauss-Jordan elimination with the largest pivot of each column.
std::optional<Matrix4> Inverse(const Matrix4& matrix) {
  Matrix4 a = matrix;
  Matrix4 inverse;
  for (int column = 0; column < 4; ++column) {
    int pivot = column;
    for (int row = column + 1; row < 4; ++row)
      if (std::fabs(a.at(row, column)) > std::fabs(a.at(pivot, column))) pivot = row;
    if (a.at(pivot, column) == 0) return std::nullopt;
    for (int k = 0; k < 4; ++k) {
      std::swap(a.at(pivot, k), a.at(column, k));
      std::swap(inverse.at(pivot, k), inverse.at(column, k));
    }
    const double scale = 1 / a.at(column, column);
    for (int k = 0; k < 4; ++k) {
      a.at(column, k) *= scale;
      inverse.at(column, k) *= scale;
    }
    for (int row = 0; row < 4; ++row) {
      if (row == column) continue;
      const double factor = a.at(row, column);
      for (int k = 0; k < 4; ++k) {
        a.at(row, k) -= factor * a.at(column, k);
        inverse.at(row, k) -= factor * inverse.at(column, k);
      }
    }
  }
  return inverse;
}

bool ProjectPoint(Vec3 point, const Matrix4& modelview, const Matrix4& projection, const Viewport& viewport,
                  WindowPoint& out) {
  const Matrix4 combined = projection * modelview;
  double clip[4];
  for (int row = 0; row < 4; ++row)
    clip[row] = combined.at(row, 0) * point.x + combined.at(row, 1) * point.y + combined.at(row, 2) * point.z +
                combined.at(row, 3);
  if (clip[3] == 0) return false;
  const double nx = clip[0] / clip[3];
  const double ny = clip[1] / clip[3];
  const double nz = clip[2] / clip[3];
  out.x = viewport.x + viewport.width * (nx + 1) / 2;
  out.y = viewport.y + viewport.height * (ny + 1) / 2;
  out.z = (nz + 1) / 2;
  return true;
}

std::optional<Vec3> UnprojectPoint(WindowPoint window, const Matrix4& modelview, const Matrix4& projection,
                                   const Viewport& viewport) {
  const std::optional<Matrix4> inverse = Inverse(projection * modelview);
  if (!inverse || viewport.width == 0 || viewport.height == 0) return std::nullopt;
  const Vec3 normalised{2 * (window.x - viewport.x) / viewport.width - 1,
                        2 * (window.y - viewport.y) / viewport.height - 1, 2 * window.z - 1};
  return TransformPoint(*inverse, normalised);
}

}  // namespace tavrel
