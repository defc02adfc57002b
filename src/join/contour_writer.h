#pragma once

#include <cstdint>

#include "dxf/polyline_model.h"
#include "dxf/polyline_output.h"

namespace quillmere {

// The lines of polyline `index` at the head of a contour of the join job:
// its header with the contour's vertex count (and flag 1 when it closes),
// the vertices of each polyline of the chain in the direction it is used,
// its closing lines. At a joint the later polyline's first vertex stays,
// since it carries the segment that leaves it; a closed contour leaves out
// its last vertex, which repeats its first. Extended data is the head's
// and ends the entity, as it must.
void WriteContourPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index);

}  // namespace quillmere
