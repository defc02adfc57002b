#pragma once

#include "app/command_line.h"
#include "preview/job_comparison.h"

namespace quillmere {

// The comparison the preview makes of what job `mode` did.
ComparedJob ComparedJobOf(JobMode mode);

}  // namespace quillmere
