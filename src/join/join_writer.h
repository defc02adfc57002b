#pragma once

#include <string>

#include "dxf/job_input.h"
#include "dxf/polyline_model.h"
#include "dxf/polyline_output.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// Writes the result of the join job: a copy of the input in which every
// polyline of the model stands with the vertices of its chain and their
// count in its header's group-90 values, and is left out when marked
// `dropped`. What the left-out polylines and vertices owned goes with them,
// and nothing keeps pointing at them (dxf/reference_cleanup.h). The model
// must have been read from the input. Fails as CopyReplacingPolylines and
// FindDrawingEdits do. With `contours` the chains are contours
// (join/contour_writer.h).
Status WriteJoinResult(const PolylineModel& model, const JobInput& input,
                       const std::string& output_name, JobObserver* observer = nullptr,
                       bool contours = false);

// The lines of polyline `index` as the join job writes it: its header with
// the vertex count, the pairs of its vertices and of the vertices of its
// chain (at each joint those of the later polyline's first vertex), its
// extended data, its closing lines; nothing when marked `dropped`. A vertex
// of a chain whose lines end with a code line without its value line (the
// end of the file) gets an empty value line.
void WriteJoinedPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index);

}  // namespace quillmere
