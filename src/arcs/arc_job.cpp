#include "arcs/arc_job.h"

#include "arcs/arc_search.h"
#include "arcs/arc_writer.h"
#include "support/output_file.h"
#include "dxf/polyline_reader.h"

namespace quillmere {

namespace {

void CountLeftAsRead(const PolylineRecord& polyline, ArcJobSummary& summary) {
  if (HasPlainOutline(polyline)) return;
  const std::int32_t flags = polyline.header_flags;
  if ((flags & (kFlagPolygonMesh | kFlagPolyfaceMesh)) != 0) {
    ++summary.left_meshes;
  } else if ((flags & (kFlagCurveFit | kFlagSplineFit)) != 0) {
    ++summary.left_fitted;
  } else {
    ++summary.left_3d;
  }
}

ArcJobSummary Summarise(const PolylineModel& model) {
  ArcJobSummary summary;
  for (const PolylineRecord& polyline : model.polylines) CountLeftAsRead(polyline, summary);
  summary.polylines = model.PolylineCount();
  summary.vertices_read = model.vertices.Count();
  for (std::int64_t vertex = 0; vertex < model.vertices.Count(); ++vertex) {
    summary.vertices_removed += model.HasMark(vertex, kVertexDropped) ? 1 : 0;
    summary.arcs += model.HasMark(vertex, kVertexGetsBulge) ? 1 : 0;
  }
  return summary;
}

}  // namespace

Result<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings, const JobInput& input,
                                const std::string& output_name, JobObserver* observer) {
  return GuardedJob(input.Name(), [&]() -> Result<ArcJobSummary> {
    RETURN_IF_FAILED(OutputFile::CheckCreatable(output_name));
    PolylineModel model;
    RETURN_IF_FAILED(ReadPolylinesToWorkOn(model, input, observer));
    FindArcs(model, settings, 0, observer);
    RETURN_IF_FAILED(WriteArcResult(model, input, output_name, observer));
    return Summarise(model);
  });
}

Result<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings, const std::string& input_name,
                                const std::string& output_name, JobObserver* observer) {
  return GuardedJob(input_name, [&]() -> Result<ArcJobSummary> {
    const Result<JobInput> input = JobInput::Open(input_name);
    RETURN_IF_FAILED(input);
    return RunArcJob(settings, *input, output_name, observer);
  });
}

}  // namespace quillmere
