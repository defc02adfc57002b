#include "app/job_runner.h"

namespace quillmere {

namespace {

// The job's summary, or nothing once its failure is told: this is where
// the jobs' failures reach the user.
template <typename Summary>
std::optional<JobSummary> Widened(const Result<Summary>& result, NoticeSink& notices) {
  if (!Reported(result, notices)) return std::nullopt;
  return JobSummary(result.value());
}

}  // namespace

std::optional<JobSummary> JobRunner::Run(JobMode mode, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer) const {
  const Result<JobInput> input = JobInput::Open(input_name);
  if (!Reported(input, notices)) return std::nullopt;
  return Run(mode, *input, output_name, notices, observer);
}

std::optional<JobSummary> JobRunner::Run(JobMode mode, const JobInput& input,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer) const {
  switch (mode) {
    case JobMode::kFindArcs:
      return Widened(RunArcJob({settings.deviation.value(), settings.arc_tests.IntValue(),
                                settings.line_tests.IntValue(), settings.exact_distances,
                                settings.curves},
                               input, output_name, observer),
                     notices);
    case JobMode::kChainLines:
      return Widened(RunLineJob(settings.join_tolerance.value(), input, output_name,
                                observer, settings.contours),
                     notices);
    case JobMode::kJoinPolylines:
      return Widened(RunJoinJob(settings.join_tolerance.value(), input, output_name,
                                observer, settings.contours),
                     notices);
  }
  return std::nullopt;
}

}  // namespace quillmere
