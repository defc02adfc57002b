#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "dxf/job_input.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// What the join job did.
struct JoinJobSummary {
  std::int64_t polylines_read = 0;
  std::int64_t joined = 0;             // polylines attached to another
  std::int64_t polylines_written = 0;
  // Contours only: closed polylines written that the input had open.
  bool contours = false;
  std::int64_t closed = 0;
};

// The polyline joining job: reads the polylines of `input_name`, attaches
// each one whose start lies on another's end within `tolerance`, and writes
// the joined result to `output_name`. With `contours` polylines join as
// contours (JoinPolylines tells how). Gives what the job did when it wrote
// the output, or the one failure that ended it (kNoPolylines for an input
// without polylines, kStopped when `observer` stopped it); the previous
// output then keeps every byte.
Result<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer = nullptr,
                                  bool contours = false);

// RunJoinJob on an input already open (JobInput::Open).
Result<JoinJobSummary> RunJoinJob(double tolerance, const JobInput& input,
                                  const std::string& output_name, JobObserver* observer = nullptr,
                                  bool contours = false);

}  // namespace quillmere
