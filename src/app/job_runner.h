#pragma once

#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/job_settings.h"
#include "app/job_summary.h"
#include "dxf/job_input.h"
#include "support/job_observer.h"
#include "support/notices.h"

namespace quillmere {

// The three jobs with the job settings they read when they start. The
// desktop program's main window holds one; the command-line tool and the
// tests use it directly. Copies run with the settings of their moment.
class JobRunner {
 public:
  JobSettings settings;

  // Runs the job of `mode` with the current settings; its notices go to
  // `notices`. Returns what the job did when it wrote its output; nothing
  // when it notified a failure or `observer` stopped it.
  std::optional<JobSummary> Run(JobMode mode, const std::string& input_name,
                                const std::string& output_name, NoticeSink& notices,
                                JobObserver* observer = nullptr) const;

  // The same on an input already open (JobInput::Open), for a caller that
  // reads it too.
  std::optional<JobSummary> Run(JobMode mode, const JobInput& input,
                                const std::string& output_name, NoticeSink& notices,
                                JobObserver* observer = nullptr) const;
};

}  // namespace quillmere
