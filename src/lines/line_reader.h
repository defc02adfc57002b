#pragma once

#include <cstdint>
#include <string>

#include "dxf/job_input.h"
#include "lines/line_records.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// The polyline entity the line job writes for a drawing of format version
// `format_version`: POLYLINE with VERTEX entities and SEQEND up to version 1009 (and
// for files without a readable version), LWPOLYLINE from 1010 on.
inline PolylineKind LineOutputStyle(std::int32_t format_version) {
  return format_version >= 1010 ? PolylineKind::kLwPolyline : PolylineKind::kPolyline;
}

// Fills `model` with one two-vertex record for every LINE entity of the
// ENTITIES section, in file order, each already holding the text of the
// polyline entity it becomes in the style of the drawing's version.
//
// Sets `model.format_version` from the header variable $ACADVER (0 when missing or
// unreadable) and `model.largest_handle` to the largest group-5 handle anywhere in
// the file, counted on by one for every VERTEX handle handed out here.
// A LINE without end-point groups gives a record with one vertex, kept as
// read. With `with_arcs` every ARC entity of the ENTITIES section becomes a
// record as well, in file order among the LINEs (lines/arc_piece_reader.h). In the
// lightweight style the LINE's extended data (from its first group-1001 pair
// on) becomes the record's closing lines, since an LWPOLYLINE carries it
// behind its vertices. An input that grew shorter or failed under either
// pass leaves the model empty and gives the failure (JobInput::Intact).
// `observer`, when given, sees the bytes read and may stop the reading.
Status ReadLines(LineModel& model, const JobInput& input, JobObserver* observer = nullptr,
                 bool with_arcs = false);

// ReadLines of the file `file_name`, opened as a job's input (JobInput::Open,
// whose failures it gives), for callers that read a drawing without a job.
Status ReadLines(LineModel& model, const std::string& file_name,
                 JobObserver* observer = nullptr, bool with_arcs = false);

}  // namespace quillmere
