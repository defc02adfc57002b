#pragma once

#include <string>
#include <vector>

#include "dxf/job_input.h"
#include "dxf/polyline_model.h"

namespace quillmere {

// What building contours needs of each polyline beyond the model: the
// layer it states and the bulges of its first and last segment.
struct PieceEnds {
  std::string layer = "0";  // its last group-8 value, blanks around it aside
  double first_bulge = 0;
  double last_bulge = 0;
};

// Reads them from `input`, which the model was read from, for every
// polyline of the model in order (those with fewer than two vertices keep
// the defaults).
std::vector<PieceEnds> ReadPieceEnds(const PolylineModel& model, const JobInput& input);

}  // namespace quillmere
