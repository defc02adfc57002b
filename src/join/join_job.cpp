#include "join/join_job.h"

#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

std::optional<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                         const std::string& output_name, NoticeSink& notices,
                                         JobObserver* observer, bool contours) {
  try {
    PolylineModel model;
    if (!ReadPolylinesToWorkOn(model, input_name, notices, observer)) return std::nullopt;
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
    if (!WriteJoinResult(model, input_name, output_name, notices, observer, contours)) {
      return std::nullopt;
    }
    return summary;
  } catch (const JobStopped&) {
    return std::nullopt;
  }
}

}  // namespace quillmere
