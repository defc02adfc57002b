#include "app/job_runner.h"

#include "arcs/arc_job.h"
#include "join/join_job.h"
#include "lines/line_job.h"

namespace quillmere {

void JobRunner::Run(JobMode mode, const std::string& input_name, const std::string& output_name) {
  switch (mode) {
    case JobMode::kFindArcs:
      RunArcJob({settings.deviation.value(), settings.arc_tests.IntValue(),
                 settings.line_tests.IntValue()},
                input_name, output_name, notices_);
      return;
    case JobMode::kChainLines:
      RunLineJob(settings.join_tolerance.value(), input_name, output_name, notices_);
      return;
    case JobMode::kJoinPolylines:
      RunJoinJob(settings.join_tolerance.value(), input_name, output_name, notices_);
      return;
  }
}

}  // namespace quillmere
