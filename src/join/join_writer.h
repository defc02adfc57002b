#pragma once

#include <string>

#include "dxf/polyline_model.h"
#include "support/job_observer.h"
#include "support/notices.h"
#include "support/output_file.h"

namespace quillmere {

// Writes the result of the join job: a copy of the input in which every
// polyline entity of the ENTITIES section is replaced by its polyline in the
// model as it stands, and left out when that is marked `dropped`. Returns
// and notifies as CopyDrawing does.
bool WriteJoinResult(const PolylineModel& model, const std::string& input_name,
                     const std::string& output_name, NoticeSink& notices,
                     JobObserver* observer = nullptr);

// The lines of one polyline as the join job writes it: its header with the
// vertex count, the pairs of its vertices, its closing lines; nothing when
// marked `dropped`.
void WriteJoinedPolyline(OutputFile& output, const Polyline& polyline);

}  // namespace quillmere
