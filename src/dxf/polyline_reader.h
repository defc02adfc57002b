#pragma once

#include <string>

#include "dxf/job_input.h"
#include "dxf/pair_watch.h"
#include "dxf/polyline_model.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// Fills `model` with one polyline for every POLYLINE and LWPOLYLINE entity
// of the ENTITIES section of `input`, in file order, with what the jobs need
// of it and where its lines lie in the file (polyline_builder.h tells the
// parts). An input that grew shorter or failed under the reading leaves the
// model empty and gives the failure (JobInput::Intact).
// `observer`, when given, sees the bytes read and may stop the reading
// (JobStopped). `watch`, when given, sees every pair of the file in order;
// the file is then read by one thread. After a failure it has seen a part.
// With `ends_only` the model keeps only the ends of each polyline
// (PolylineModel::ends_only).
//
// With `visitors`, each polyline is handed to a visitor once read whole and
// the model keeps no coordinates (PolylineModel::visitor): `first` sees the
// polylines the calling thread reads, `second` those of the second half of
// a large file, read at the same time by another thread. The arc starts a
// visitor adds to the model are kept, by vertex.
struct PolylineVisitors {
  PolylineVisitor* first = nullptr;
  PolylineVisitor* second = nullptr;
};
Status ReadPolylines(PolylineModel& model, const JobInput& input, JobObserver* observer = nullptr,
                     PairWatch* watch = nullptr, bool ends_only = false,
                     PolylineVisitors visitors = {});

// ReadPolylines of the file `file_name`, opened as a job's input
// (JobInput::Open, whose failures it gives), for callers that read a
// drawing without a job.
Status ReadPolylines(PolylineModel& model, const std::string& file_name,
                     JobObserver* observer = nullptr);

// ReadPolylines for a job that works on polylines: a drawing that holds none
// fails with kNoPolylines (a file that could not be read fails as it did).
Status ReadPolylinesToWorkOn(PolylineModel& model, const JobInput& input,
                             JobObserver* observer = nullptr, bool ends_only = false,
                             PolylineVisitors visitors = {});

}  // namespace quillmere
