#pragma once

#include <optional>
#include <string>

#include "app/catalogue_notices.h"
#include "app/command_line.h"
#include "app/job_settings.h"
#include "app/job_summary.h"
#include "support/job_observer.h"
#include "support/message_sink.h"

namespace quillmere {

// Runs the three jobs with the current job settings and shows what they
// notify through a message sink. The desktop program's main window holds
// one; the command-line tool and the tests use it directly.
class JobRunner {
 public:
  explicit JobRunner(MessageSink& messages) : notices_(messages) {}

  JobSettings settings;

  // Runs the job of `mode`; it reads its settings when it starts. Returns
  // what the job did when it wrote its output; nothing when it showed a
  // message or `observer` stopped it.
  std::optional<JobSummary> Run(JobMode mode, const std::string& input_name,
                                const std::string& output_name, JobObserver* observer = nullptr);

  void set_messages(MessageSink& messages) { notices_.set_messages(messages); }

 private:
  CatalogueNotices notices_;
};

}  // namespace quillmere
