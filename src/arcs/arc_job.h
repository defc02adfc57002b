#pragma once

#include <string>

#include "arcs/arc_search_settings.h"
#include "support/notices.h"

namespace quillmere {

// The arc job: reads the polylines of `input_name`, replaces runs of
// vertices that lie on one arc by single arc segments, writes `output_name`.
// An input without polylines is notified (kNoPolylines) and creates no
// output.
void RunArcJob(const ArcSearchSettings& settings, const std::string& input_name,
               const std::string& output_name, NoticeSink& notices);

}  // namespace quillmere
