#include "arcs/arc_job.h"

#include "arcs/arc_search.h"
#include "arcs/arc_writer.h"
#include "dxf/polyline_reader.h"

namespace quillmere {

namespace {

ArcJobSummary Summarise(const PolylineModel& model) {
  ArcJobSummary summary;
  summary.polylines = model.PolylineCount();
  summary.vertices_read = model.vertices.Count();
  for (std::int64_t vertex = 0; vertex < model.vertices.Count(); ++vertex) {
    summary.vertices_removed += model.HasMark(vertex, kVertexDropped) ? 1 : 0;
    summary.arcs += model.HasMark(vertex, kVertexGetsBulge) ? 1 : 0;
  }
  return summary;
}

}  // namespace

std::optional<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings,
                                       const std::string& input_name,
                                       const std::string& output_name, NoticeSink& notices,
                                       JobObserver* observer) {
  try {
    PolylineModel model;
    if (!ReadPolylinesToWorkOn(model, input_name, notices, observer)) return std::nullopt;
    FindArcs(model, settings, 0, observer);
    if (!WriteArcResult(model, input_name, output_name, notices, observer)) return std::nullopt;
    return Summarise(model);
  } catch (const JobStopped&) {
    return std::nullopt;
  }
}

}  // namespace quillmere
