#include "lines/line_job.h"

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

std::optional<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer, bool contours) {
  try {
    // A file that cannot be read leaves an empty model; the writer then
    // notifies the input again.
    LineModel model;
    ReadLines(model, input_name, notices, observer, contours);
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    ChainLines(model, tolerance, contours);
    // Each record has the style of the version read before its LINE; a file
    // with a second $ACADVER can hold both.
    AppendVertexCounts(model);
    if (!WriteLineResult(model, input_name, output_name, notices, observer)) return std::nullopt;
    return Summarise(model, contours);
  } catch (const JobStopped&) {
    return std::nullopt;
  }
}

}  // namespace quillmere
