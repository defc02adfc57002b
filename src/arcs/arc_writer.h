#pragma once

#include <string>

#include "dxf/polyline_model.h"
#include "support/job_observer.h"
#include "support/notices.h"
#include "support/output_file.h"

namespace quillmere {

// Writes the result of the arc job: a copy of the input in which every
// polyline entity of the ENTITIES section is replaced by its polyline in the
// model, without the vertices marked `dropped` and with the bulges of the
// vertices marked `gets_bulge`. Returns and notifies as CopyDrawing does.
bool WriteArcResult(const PolylineModel& model, const std::string& input_name,
                    const std::string& output_name, NoticeSink& notices,
                    JobObserver* observer = nullptr);

// The lines of one polyline as the arc job writes it.
void WriteArcPolyline(OutputFile& output, const Polyline& polyline);

}  // namespace quillmere
