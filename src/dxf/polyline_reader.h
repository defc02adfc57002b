#pragma once

#include <string>

#include "dxf/pair_watch.h"
#include "dxf/polyline_model.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// Fills `model` with one polyline for every POLYLINE and LWPOLYLINE entity
// of the ENTITIES section, in file order, with what the jobs need of it and
// where its lines lie in the file (polyline_builder.h tells the parts), and
// the file's stamp. A file that is no DXF text drawing (CheckTextDrawing),
// cannot be opened or fails part way through the reading leaves the model
// empty and gives the failure.
// `observer`, when given, sees the bytes read and may stop the reading
// (JobStopped). `watch`, when given, sees every pair of the file in order;
// the file is then read by one thread. After a failure it has seen a part.
Status ReadPolylines(PolylineModel& model, const std::string& file_name,
                     JobObserver* observer = nullptr, PairWatch* watch = nullptr);

// ReadPolylines for a job that works on polylines: a drawing that holds none
// fails with kNoPolylines (a file that could not be read fails as it did).
Status ReadPolylinesToWorkOn(PolylineModel& model, const std::string& file_name,
                             JobObserver* observer = nullptr);

}  // namespace quillmere
