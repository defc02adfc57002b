#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "arcs/arc_search_settings.h"
#include "support/job_observer.h"
#include "support/notices.h"

namespace quillmere {

// What the arc job did.
struct ArcJobSummary {
  std::int64_t polylines = 0;        // polylines read
  std::int64_t vertices_read = 0;
  std::int64_t vertices_removed = 0;
  std::int64_t arcs = 0;             // arc segments written
};

// The arc job: reads the polylines of `input_name`, replaces runs of
// vertices that lie on one arc by single arc segments, writes `output_name`.
// An input without polylines is notified (kNoPolylines) and creates no
// output. Returns what the job did when it wrote the output; nothing when
// it notified a failure or `observer` stopped it.
std::optional<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings,
                                       const std::string& input_name,
                                       const std::string& output_name, NoticeSink& notices,
                                       JobObserver* observer = nullptr);

}  // namespace quillmere
