#include "lines/line_job.h"

#include "support/output_file.h"
#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"

namespace quillmere {

namespace {

LineJobSummary Summarise(const LineModel& model, bool contours) {
  LineJobSummary summary;
  summary.contours = contours;
  for (const LineRecord& record : model.records) {
    const bool arc = record.piece == PieceKind::kArc;
    (arc ? summary.arcs : summary.lines) += 1;
    const bool written = !record.dropped && !record.kept_as_read && record.VertexCount() >= 2;
    summary.polylines_written += written ? 1 : 0;
    summary.closed += written && record.closed ? 1 : 0;
  }
  return summary;
}

}  // namespace

Result<LineJobSummary> RunLineJob(double tolerance, const JobInput& input,
                                  const std::string& output_name, JobObserver* observer,
                                  bool contours) {
  return GuardedJob(input.Name(), [&]() -> Result<LineJobSummary> {
    RETURN_IF_FAILED(OutputFile::CheckCreatable(output_name));
    LineModel model;
    RETURN_IF_FAILED(ReadLines(model, input, observer, contours));
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    ChainLines(model, tolerance, contours);
    // Each record has the style of the version read before its LINE; a file
    // with a second $ACADVER can hold both.
    AppendVertexCounts(model);
    RETURN_IF_FAILED(WriteLineResult(model, input, output_name, observer));
    return Summarise(model, contours);
  });
}

Result<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer,
                                  bool contours) {
  return RunOnInputNamed(input_name, [&](const JobInput& input) {
    return RunLineJob(tolerance, input, output_name, observer, contours);
  });
}

}  // namespace quillmere
