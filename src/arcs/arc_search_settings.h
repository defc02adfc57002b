#pragma once

#include <cstdint>

namespace quillmere {

// The parameters of the arc search, taken from the job settings when the
// job starts. Both counts are at least 1.
struct ArcSearchSettings {
  double deviation = 0.1;       // maximum deviation between line and arc
  std::int32_t arc_tests = 100;  // the arc is divided into this many parts
  std::int32_t line_tests = 100; // each segment is divided into this many parts
  // Windows are tested by their true distances and lengths; the two counts
  // are then unused.
  bool exact = false;
  // The job also converts the drawing's curves (SPLINE, ELLIPSE, fitted
  // POLYLINEs) into arcs, searched exactly whatever `exact` says.
  bool curves = false;
};

}  // namespace quillmere
