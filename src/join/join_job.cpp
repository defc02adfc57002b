#include "join/join_job.h"

#include "support/output_file.h"
#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

Result<JoinJobSummary> RunJoinJob(double tolerance, const JobInput& input,
                                  const std::string& output_name, JobObserver* observer,
                                  bool contours) {
  return GuardedJob(input.Name(), [&]() -> Result<JoinJobSummary> {
    RETURN_IF_FAILED(OutputFile::CheckCreatable(output_name));
    PolylineModel model;
    // Joining looks at the ends; contours also at how the pieces leave
    // them and at what lies between.
    RETURN_IF_FAILED(ReadPolylinesToWorkOn(model, input, observer, !contours));
    ProgressTap(observer, JobPhase::kJoining, 0).Report(0);
    JoinJobSummary summary;
    summary.polylines_read = model.PolylineCount();
    summary.contours = contours;
    if (contours) {
      JoinPolylines(model, tolerance, ReadPieceEnds(model, input));
    } else {
      JoinPolylines(model, tolerance);
    }
    for (const PolylineRecord& polyline : model.polylines) summary.joined += polyline.dropped ? 1 : 0;
    DropShortPolylines(model);
    for (const PolylineRecord& polyline : model.polylines) {
      summary.polylines_written += polyline.dropped ? 0 : 1;
      summary.closed += !polyline.dropped && polyline.closes_chain ? 1 : 0;
    }
    RETURN_IF_FAILED(WriteJoinResult(model, input, output_name, observer, contours));
    return summary;
  });
}

Result<JoinJobSummary> RunJoinJob(double tolerance, const std::string& input_name,
                                  const std::string& output_name, JobObserver* observer,
                                  bool contours) {
  return RunOnInputNamed(input_name, [&](const JobInput& input) {
    return RunJoinJob(tolerance, input, output_name, observer, contours);
  });
}

}  // namespace quillmere
