#include "arcs/arc_writer.h"

#include <optional>

#include "arcs/curves/curve_polyline_writer.h"
#include "dxf/consumed_entities.h"
#include "dxf/polyline_entities.h"
#include "dxf/reference_cleanup.h"

namespace quillmere {

namespace {

std::int64_t KeptVertices(const PolylineModel& model, const PolylineRecord& polyline) {
  std::int64_t kept = 0;
  for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
    kept += model.HasMark(model.VertexIndex(polyline, v), kVertexDropped) ? 0 : 1;
  }
  return kept;
}

// The VERTEX entities the arc job leaves out, in a drawing whose objects
// could point at them.
ConsumedEntities ConsumedVertices(const PolylineModel& model) {
  if (!model.has_objects) return {};
  std::vector<std::int64_t> left_out;
  for (const PolylineRecord& polyline : model.polylines) {
    if (polyline.kind != PolylineKind::kPolyline) continue;
    for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
      const std::int64_t vertex = model.VertexIndex(polyline, v);
      if (model.HasMark(vertex, kVertexDropped)) left_out.push_back(vertex);
    }
  }
  return ConsumedPolylineEntities(model, left_out);
}

}  // namespace

void WriteArcPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index) {
  const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
  constexpr std::int32_t kFitFlags = kFlagCurveFit | kFlagSplineFit;
  output.WriteHeader(polyline, KeptVertices(model, polyline), false,
                     polyline.fit_converted ? kFitFlags : 0);
  // Vertices that stay as read are copied in runs; a run ends at a vertex
  // that is left out or gets a bulge.
  std::int64_t run_begin = polyline.place.vertices;
  std::int64_t begin = polyline.place.vertices;
  for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
    const std::int64_t vertex = model.VertexIndex(polyline, v);
    const std::int64_t end = v + 1 < polyline.vertex_count
                                 ? begin + model.vertices.step[vertex + 1]
                                 : polyline.place.extended_data;
    const bool dropped = model.HasMark(vertex, kVertexDropped);
    const bool gets_bulge = !dropped && model.HasMark(vertex, kVertexGetsBulge);
    if (dropped || gets_bulge) {
      output.CopyPairs(polyline, run_begin, begin);
      if (gets_bulge) output.WriteVertexWithBulge(polyline, begin, end, model.Bulge(vertex));
      run_begin = end;
    }
    begin = end;
  }
  // The rest of the vertices and the extended data behind them.
  output.CopyPairs(polyline, run_begin, polyline.place.trailer);
  if (polyline.value_line_supplied) output.WriteLine("");
  output.WriteTrailer(polyline);
}

Status WriteArcResult(const PolylineModel& model, const JobInput& input,
                      const std::string& output_name, JobObserver* observer,
                      const CurveDrawing* curves) {
  const Result<DrawingEdits> edits = FindDrawingEdits(input, ConsumedVertices(model), observer);
  RETURN_IF_FAILED(edits);
  std::optional<CurvePolylineWriter> curve_writer;
  if (curves != nullptr) curve_writer.emplace(*curves, &edits.value());
  return CopyReplacingPolylines(
      model, input, output_name,
      [&model](PolylineOutput& output, std::int32_t index) {
        WriteArcPolyline(output, model, index);
      },
      observer, &edits.value(), curve_writer ? &curve_writer->Parts() : nullptr);
}

}  // namespace quillmere
