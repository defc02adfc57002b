#include "lines/line_job.h"

#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"

namespace quillmere {

namespace {

LineJobSummary Summarise(const LineModel& model) {
  LineJobSummary summary;
  summary.lines = model.RecordCount();
  for (const LineRecord& record : model.records) {
    summary.polylines_written += !record.dropped && record.VertexCount() >= 2 ? 1 : 0;
  }
  return summary;
}

}  // namespace

std::optional<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer) {
  try {
    // A file that cannot be read leaves an empty model; the writer then
    // notifies the input again.
    LineModel model;
    ReadLines(model, input_name, notices, observer);
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    ChainLines(model, tolerance);
    // Each record has the style of the version read before its LINE; a file
    // with a second $ACADVER can hold both.
    AppendVertexCounts(model);
    if (!WriteLineResult(model, input_name, output_name, notices, observer)) return std::nullopt;
    return Summarise(model);
  } catch (const JobStopped&) {
    return std::nullopt;
  }
}

}  // namespace quillmere
