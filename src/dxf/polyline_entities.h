#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/drawing_edits.h"
#include "dxf/job_input.h"
#include "dxf/polyline_model.h"
#include "dxf/polyline_output.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// What the polyline reader and the writers of the arc and join jobs share
// about POLYLINE and LWPOLYLINE entities.

// The kind of polyline entity that a pair (0, POLYLINE) or (0, LWPOLYLINE)
// starts; nothing for any other pair.
std::optional<PolylineKind> PolylineStart(std::string_view code, std::string_view value);

// Parts of the input outside the polylines that a copy replaces as well
// (the arc job's converted curves, the header's handle seed): whole pairs
// [begin, end), in file order, none overlapping another or a polyline;
// `write(output, k)` writes what stands in place of part k.
struct ReplacedParts {
  std::vector<ByteRange> places;
  std::function<void(PolylineOutput&, std::size_t)> write;
};

// Writes a copy of `input` to `output_name` in which polyline n of
// `model` stands as `write_polyline(output, n)` writes it; every line
// outside the model's polylines is copied as read, with CR LF line ends.
// The model must have been read from the input as it is.
//
// With `edits` every pair of the input read passes through them; with
// `replaced` its parts stand as it writes them (edits inside them are its
// own to make).
//
// The output replaces an existing file only once it is complete, so the
// input may be the output. Fails as CopyDrawing does.
//
// `observer`, when given, sees the bytes of the input copied and may stop
// the copy (JobStopped): the previous output then stays as it was.
Status CopyReplacingPolylines(const PolylineModel& model, const JobInput& input,
                              const std::string& output_name,
                              const std::function<void(PolylineOutput&, std::int32_t)>& write_polyline,
                              JobObserver* observer = nullptr,
                              const DrawingEdits* edits = nullptr,
                              const ReplacedParts* replaced = nullptr);

}  // namespace quillmere
