#include "join/join_job.h"

#include "dxf/job_start.h"
#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

Result<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer,
                                  bool contours) {
  return GuardedJob(input_name, [&]() -> Result<JoinJobSummary> {
    if (const Status ready = CheckJobFiles(input_name, output_name); !ready) return ready.failure();
    PolylineModel model;
    if (const Status read = ReadPolylinesToWorkOn(model, input_name, observer); !read) {
      return read.failure();
    }
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    JoinJobSummary summary;
    summary.polylines_read = model.PolylineCount();
    summary.contours = contours;
    if (contours) {
      JoinPolylines(model, tolerance, ReadPieceEnds(model, input_name));
    } else {
      JoinPolylines(model, tolerance);
    }
    for (const PolylineRecord& polyline : model.polylines) summary.joined += polyline.dropped ? 1 : 0;
    DropShortPolylines(model);
    for (const PolylineRecord& polyline : model.polylines) {
      summary.polylines_written += polyline.dropped ? 0 : 1;
      summary.closed += !polyline.dropped && polyline.closes_chain ? 1 : 0;
    }
    if (const Status written =
            WriteJoinResult(model, input_name, output_name, observer, contours);
        !written) {
      return written.failure();
    }
    return summary;
  });
}

std::optional<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer, bool contours) {
  return ReportedValue(RunJoinJob(tolerance, input_name, output_name, observer, contours),
                       notices);
}

}  // namespace quillmere
