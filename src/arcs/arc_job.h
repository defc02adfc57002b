#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "arcs/arc_search_settings.h"
#include "dxf/job_input.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// What the arc job did.
struct ArcJobSummary {
  std::int64_t polylines = 0;        // polylines read
  std::int64_t vertices_read = 0;
  std::int64_t vertices_removed = 0;
  std::int64_t arcs = 0;             // arc segments written
  // Polylines left exactly as read because their vertices are no plain
  // outline, each counted once by the first of these that its header flags
  // say: a polygon or polyface mesh, a curve- or spline-fitted curve, a 3-D
  // polyline. They explain a job that found nothing.
  std::int64_t left_meshes = 0;
  std::int64_t left_fitted = 0;
  std::int64_t left_3d = 0;
  // With curves (--curves): the SPLINEs, ELLIPSEs and fitted POLYLINEs
  // converted (their arcs count among `arcs`), and the SPLINEs and
  // ELLIPSEs left as read (not flat, damaged, too fine to sample).
  bool curves = false;
  std::int64_t curves_converted = 0;
  std::int64_t curves_left = 0;
};

// The arc job: reads the polylines of `input_name`, replaces runs of
// vertices that lie on one arc by single arc segments, writes `output_name`.
// With `settings.curves` it also converts the drawing's curves into
// polylines of arcs (arcs/curves/curve_conversion.h) in their places, and
// a drawing of curves without polylines is work too.
// Gives what the job did when it wrote the output, or the one failure that
// ended it (kStopped when `observer` stopped it): an input that is no
// drawing or has no polylines, an output that cannot be created (found
// before the work starts), memory that ran out. The previous output then
// keeps every byte.
Result<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings, const std::string& input_name,
                                const std::string& output_name, JobObserver* observer = nullptr);

// RunArcJob on an input already open (JobInput::Open), which it reads and
// nothing else does.
Result<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings, const JobInput& input,
                                const std::string& output_name, JobObserver* observer = nullptr);

}  // namespace quillmere
