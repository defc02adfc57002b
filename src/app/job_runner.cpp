#include "app/job_runner.h"

namespace quillmere {

namespace {

template <typename Summary>
std::optional<JobSummary> Widened(const std::optional<Summary>& summary) {
  if (!summary) return std::nullopt;
  return JobSummary(*summary);
}

}  // namespace

std::optional<JobSummary> JobRunner::Run(JobMode mode, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer) const {
  switch (mode) {
    case JobMode::kFindArcs:
      return Widened(RunArcJob({settings.deviation.value(), settings.arc_tests.IntValue(),
                                settings.line_tests.IntValue(), settings.exact_distances},
                               input_name, output_name, notices, observer));
    case JobMode::kChainLines:
      return Widened(RunLineJob(settings.join_tolerance.value(), input_name, output_name,
                                notices, observer, settings.contours));
    case JobMode::kJoinPolylines:
      return Widened(RunJoinJob(settings.join_tolerance.value(), input_name, output_name,
                                notices, observer, settings.contours));
  }
  return std::nullopt;
}

}  // namespace quillmere
