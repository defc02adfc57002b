#pragma once

// The writers of the jobs on an input named by its file, opened for the
// call as a job opens it: for tests, fuzz targets and benchmarks that read a
// model, change it and write it, as a job does with its one JobInput. And
// the jobs for tests that have their failures told at once, as the app does.

#include <string>
#include <vector>

#include <optional>

#include "arcs/arc_job.h"
#include "arcs/arc_writer.h"
#include "dxf/job_input.h"
#include "join/join_job.h"
#include "join/join_writer.h"
#include "join/piece_ends.h"
#include "lines/line_job.h"
#include "lines/line_writer.h"
#include "support/notices.h"

namespace quillmere {

inline Status WriteArcResult(const PolylineModel& model, const std::string& input_name,
                             const std::string& output_name, JobObserver* observer = nullptr) {
  const Result<JobInput> input = JobInput::Open(input_name);
  RETURN_IF_FAILED(input);
  return WriteArcResult(model, *input, output_name, observer);
}

inline Status WriteJoinResult(const PolylineModel& model, const std::string& input_name,
                              const std::string& output_name, JobObserver* observer = nullptr,
                              bool contours = false) {
  const Result<JobInput> input = JobInput::Open(input_name);
  RETURN_IF_FAILED(input);
  return WriteJoinResult(model, *input, output_name, observer, contours);
}

inline Status WriteLineResult(LineModel& model, const std::string& input_name,
                              const std::string& output_name, JobObserver* observer = nullptr) {
  const Result<JobInput> input = JobInput::Open(input_name);
  RETURN_IF_FAILED(input);
  return WriteLineResult(model, *input, output_name, observer);
}

// The defaults throughout for an input that cannot be opened.
inline std::vector<PieceEnds> ReadPieceEnds(const PolylineModel& model,
                                            const std::string& input_name) {
  const Result<JobInput> input = JobInput::Open(input_name);
  if (!input) return std::vector<PieceEnds>(model.polylines.size());
  return ReadPieceEnds(model, *input);
}

inline std::optional<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings,
                                              const std::string& input_name,
                                              const std::string& output_name, NoticeSink& notices,
                                              JobObserver* observer = nullptr) {
  return ReportedValue(RunArcJob(settings, input_name, output_name, observer), notices);
}

inline std::optional<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                                const std::string& output_name,
                                                NoticeSink& notices,
                                                JobObserver* observer = nullptr,
                                                bool contours = false) {
  return ReportedValue(RunLineJob(tolerance, input_name, output_name, observer, contours),
                       notices);
}

inline std::optional<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                                const std::string& output_name,
                                                NoticeSink& notices,
                                                JobObserver* observer = nullptr,
                                                bool contours = false) {
  return ReportedValue(RunJoinJob(tolerance, input_name, output_name, observer, contours),
                       notices);
}

}  // namespace quillmere
