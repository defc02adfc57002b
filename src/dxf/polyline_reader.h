#pragma once

#include <string>

#include "dxf/polyline_model.h"
#include "support/job_observer.h"
#include "support/notices.h"

namespace quillmere {

// Fills `model` with one polyline for every POLYLINE and LWPOLYLINE entity
// of the ENTITIES section, in file order, with what the jobs need of it and
// where its lines lie in the file (polyline_builder.h tells the parts).
// A file that cannot be opened is notified (kCannotOpenInput) and leaves the
// model empty; returns whether the file was read.
// `observer`, when given, sees the bytes read and may stop the reading
// (JobStopped).
bool ReadPolylines(PolylineModel& model, const std::string& file_name, NoticeSink& notices,
                   JobObserver* observer = nullptr);

// ReadPolylines for a job that works on polylines: tells the user when the
// drawing holds none (also after an input that could not be opened, which
// the reader has told already). True when there are polylines to work on.
bool ReadPolylinesToWorkOn(PolylineModel& model, const std::string& file_name,
                           NoticeSink& notices, JobObserver* observer = nullptr);

}  // namespace quillmere
