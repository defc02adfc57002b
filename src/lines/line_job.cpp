#include "lines/line_job.h"

#include "dxf/job_start.h"
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

Result<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer) {
  return GuardedJob(input_name, [&]() -> Result<LineJobSummary> {
    if (const Status ready = CheckJobFiles(input_name, output_name); !ready) return ready.failure();
    LineModel model;
    if (const Status read = ReadLines(model, input_name, observer); !read) return read.failure();
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    ChainLines(model, tolerance);
    // Each record has the style of the version read before its LINE; a file
    // with a second $ACADVER can hold both.
    AppendVertexCounts(model);
    if (const Status written = WriteLineResult(model, input_name, output_name, observer);
        !written) {
      return written.failure();
    }
    return Summarise(model);
  });
}

std::optional<LineJobSummary> RunLineJob(double tolerance, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer) {
  return ReportedValue(RunLineJob(tolerance, input_name, output_name, observer), notices);
}

}  // namespace quillmere
