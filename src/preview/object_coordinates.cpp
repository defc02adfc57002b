#include "preview/object_coordinates.h"

#include <cmath>

namespace quillmere {

namespace {

// Scales the vector to length 1; false, leaving it, when it has no length.
bool Normalise(double (&v)[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(length > 0) || !std::isfinite(length)) return false;
  for (double& component : v) component /= length;
  return true;
}

void Cross(const double (&a)[3], const double (&b)[3], double (&result)[3]) {
  result[0] = a[1] * b[2] - a[2] * b[1];
  result[1] = a[2] * b[0] - a[0] * b[2];
  result[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

ObjectCoordinates::ObjectCoordinates(double extrusion_x, double extrusion_y, double extrusion_z)
    : normal_{extrusion_x, extrusion_y, extrusion_z} {
  if (!Normalise(normal_)) {
    normal_[0] = normal_[1] = 0;
    normal_[2] = 1;
  }
  // The arbitrary axis rule: near the world's Z axis, X is world Y crossed
  // with the normal, elsewhere world Z crossed with it.
  constexpr double kNearZ = 1.0 / 64;
  constexpr double kWorldY[3] = {0, 1, 0};
  constexpr double kWorldZ[3] = {0, 0, 1};
  const bool near_z = std::fabs(normal_[0]) < kNearZ && std::fabs(normal_[1]) < kNearZ;
  Cross(near_z ? kWorldY : kWorldZ, normal_, axis_x_);
  Normalise(axis_x_);
  Cross(normal_, axis_x_, axis_y_);
  Normalise(axis_y_);
}

void ObjectCoordinates::ToWorld(std::span<PathVertex> path, double elevation) const {
  const bool identity = normal_[0] == 0 && normal_[1] == 0 && normal_[2] == 1;
  if (identity) return;
  const bool mirrors = axis_x_[0] * axis_y_[1] - axis_y_[0] * axis_x_[1] < 0;
  for (PathVertex& vertex : path) {
    const double x = vertex.x;
    const double y = vertex.y;
    vertex.x = x * axis_x_[0] + y * axis_y_[0] + elevation * normal_[0];
    vertex.y = x * axis_x_[1] + y * axis_y_[1] + elevation * normal_[1];
    if (mirrors) vertex.bulge = -vertex.bulge;
  }
}

}  // namespace quillmere
