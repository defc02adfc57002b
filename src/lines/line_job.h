#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "dxf/job_input.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// What the line job did.
struct LineJobSummary {
  std::int64_t lines = 0;              // LINE entities read
  std::int64_t polylines_written = 0;  // chains written as polylines
  // Contours only: ARC entities read and closed polylines written.
  bool contours = false;
  std::int64_t arcs = 0;
  std::int64_t closed = 0;
};

// The lines-to-polylines job: reads the LINE entities of `input_name`,
// chains them end to start within `tolerance` and writes every chain as one
// polyline to `output_name`. With `contours` the ARCs are pieces too and
// chains become contours (ChainLines tells how). Gives what the job did when
// it wrote the output, or the one failure that ended it (kStopped when
// `observer` stopped it); the previous output then keeps every byte.
Result<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer = nullptr,
                                  bool contours = false);

// RunLineJob on an input already open (JobInput::Open).
Result<LineJobSummary> RunLineJob(double tolerance, const JobInput& input,
                                  const std::string& output_name, JobObserver* observer = nullptr,
                                  bool contours = false);

}  // namespace quillmere
