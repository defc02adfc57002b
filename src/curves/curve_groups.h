#pragma once

#include <optional>
#include <vector>

namespace quillmere {

// The groups of SPLINE and ELLIPSE entities that define their curves, as
// read: the numbers of the group values, nothing checked yet. A value that
// did not read as a number sets `unreadable` and is left out.

struct SpaceVector {
  double x = 0;
  double y = 0;
  double z = 0;
};

// One coordinate list of a SPLINE (control or fit points): the X, Y and Z
// values in the order read. Each point is one value of each; Z may be
// missing altogether (z = 0).
struct CoordinateLists {
  std::vector<double> x, y, z;
};

struct SplineGroups {
  int flags = 0;                             // 70: 1 closed, 2 periodic, 4 rational, 8 planar
  int degree = 3;                            // 71
  std::optional<int> knot_count;             // 72
  std::optional<int> control_count;          // 73
  std::optional<int> fit_count;              // 74
  std::vector<double> knots;                 // 40
  std::vector<double> weights;               // 41
  CoordinateLists control_points;            // 10, 20, 30
  CoordinateLists fit_points;                // 11, 21, 31
  std::optional<SpaceVector> start_tangent;  // 12, 22, 32
  std::optional<SpaceVector> end_tangent;    // 13, 23, 33
  // 42, 43, 44: the tolerances the writer fitted with. Kept for what reads
  // the groups; the curve is defined without them.
  double knot_tolerance = 0;
  double control_tolerance = 0;
  double fit_tolerance = 0;
  SpaceVector extrusion{0, 0, 1};  // 210, 220, 230
  bool unreadable = false;
};

// An ELLIPSE: centre and major axis in world coordinates (the axis's end
// relative to the centre), the minor axis's length as a share of the major
// one's, and the parameter range (radians; the end may lie below the start,
// then the ellipse runs on past 2 pi). Missing groups take the format's
// defaults: a full unit circle at the origin.
struct EllipseGroups {
  SpaceVector centre;                        // 10, 20, 30
  SpaceVector major_axis{1, 0, 0};           // 11, 21, 31
  double ratio = 1;                          // 40
  double start_parameter = 0;                // 41
  double end_parameter = 6.283185307179586;  // 42
  SpaceVector extrusion{0, 0, 1};            // 210, 220, 230
  bool unreadable = false;
};

}  // namespace quillmere
