#include "join/join_job.h"

#include "dxf/job_start.h"
#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

Result<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer) {
  return GuardedJob(input_name, [&]() -> Result<JoinJobSummary> {
    if (const Status ready = CheckJobFiles(input_name, output_name); !ready) return ready.failure();
    PolylineModel model;
    if (const Status read = ReadPolylinesToWorkOn(model, input_name, observer); !read) {
      return read.failure();
    }
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    JoinJobSummary summary;
    summary.polylines_read = model.PolylineCount();
    JoinPolylines(model, tolerance);
    for (const PolylineRecord& polyline : model.polylines) summary.joined += polyline.dropped ? 1 : 0;
    DropShortPolylines(model);
    for (const PolylineRecord& polyline : model.polylines) {
      summary.polylines_written += polyline.dropped ? 0 : 1;
    }
    if (const Status written = WriteJoinResult(model, input_name, output_name, observer);
        !written) {
      return written.failure();
    }
    return summary;
  });
}

std::optional<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer) {
  return ReportedValue(RunJoinJob(tolerance, input_name, output_name, observer), notices);
}

}  // namespace quillmere
