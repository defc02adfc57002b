#pragma once

// The lines that the parts of a polyline read back to, from the file the
// model was read from: what the writers copy for its header, each vertex,
// its extended data and its closing lines. Worked out from the places in the
// model on its own, for the tests to check the reader and the writers
// against.

#include <cstdint>
#include <string>
#include <vector>

#include "dxf/polyline_model.h"

namespace quillmere::testing {

using Lines = std::vector<std::string>;

struct PolylineLines {
  Lines header;
  std::vector<Lines> vertices;
  Lines extended_data;  // an LWPOLYLINE's, behind its last vertex
  Lines trailer;  // moved pairs first, then the closing lines where they stand
};

// The lines of polyline `index` of `model`, read from `file`.
PolylineLines LinesOf(const PolylineModel& model, std::int32_t index, const std::string& file);

}  // namespace quillmere::testing
