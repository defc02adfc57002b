#pragma once

#include <span>

#include "preview/drawing_geometry.h"

namespace quillmere {

// The object coordinate system of a planar entity (LWPOLYLINE, 2-D
// POLYLINE, ARC, CIRCLE): its X and Y axes in world coordinates, derived
// from the extrusion direction (groups 210, 220, 230) by DXF's arbitrary
// axis rule. Most drawings use the world's own (0, 0, 1); mirrored parts
// exported by CAM and CAD programs carry (0, 0, -1), whose X axis points
// the other way.
class ObjectCoordinates {
 public:
  // A direction of length 0 (or one not read) means (0, 0, 1).
  ObjectCoordinates(double extrusion_x, double extrusion_y, double extrusion_z);

  // Moves the path from object coordinates at height `elevation` into world
  // X/Y. Where the plane is seen from below, arcs turn the other way, so
  // their bulges change sign. An entity on a tilted plane is projected onto
  // X/Y vertex by vertex; its arcs stay circular there, which a view along
  // Z would show as ellipses.
  void ToWorld(std::span<PathVertex> path, double elevation) const;

 private:
  double normal_[3];
  double axis_x_[3];
  double axis_y_[3];
};

}  // namespace quillmere
