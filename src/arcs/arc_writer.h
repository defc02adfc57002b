#pragma once

#include <string>

#include "arcs/curves/curve_entities.h"
#include "dxf/job_input.h"
#include "dxf/polyline_model.h"
#include "dxf/polyline_output.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// Writes the result of the arc job: a copy of the input in which every
// polyline of the model is written without its vertices marked
// kVertexDropped, the vertices marked kVertexGetsBulge with their arc's
// bulge instead of their own, and its vertex count in the header's group-90
// values. What the left-out VERTEX entities owned goes with them, and
// nothing keeps pointing at them (dxf/reference_cleanup.h). The model must
// have been read from the input. With `curves` the converted ones stand
// as polylines in their places (arcs/curves/curve_polyline_writer.h).
// Fails as CopyReplacingPolylines and FindDrawingEdits do.
Status WriteArcResult(const PolylineModel& model, const JobInput& input,
                      const std::string& output_name, JobObserver* observer = nullptr,
                      const CurveDrawing* curves = nullptr);

// The lines of polyline `index` as the arc job writes it.
void WriteArcPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index);

}  // namespace quillmere
