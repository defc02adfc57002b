#include "arcs/arc_job.h"

#include "arcs/arc_search.h"
#include "arcs/arc_writer.h"
#include "arcs/curves/curve_conversion.h"
#include "arcs/curves/curve_entities.h"
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
  summary.vertices_read = model.VertexTotal();
  for (const PolylineRecord& polyline : model.polylines) {
    for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
      const std::int64_t vertex = model.VertexIndex(polyline, v);
      summary.vertices_removed += model.HasMark(vertex, kVertexDropped) ? 1 : 0;
      summary.arcs += model.HasMark(vertex, kVertexGetsBulge) ? 1 : 0;
    }
  }
  return summary;
}

// What the curves added to the job.
void CountCurves(const CurveDrawing& curves, std::int64_t fitted, ArcJobSummary& summary) {
  summary.curves = true;
  summary.curves_converted = fitted;
  for (const CurveRecord& curve : curves.curves) {
    (curve.converted ? summary.curves_converted : summary.curves_left) += 1;
    for (const ConvertedVertex& vertex : curve.vertices) summary.arcs += vertex.bulge != 0 ? 1 : 0;
  }
}

// The job with its curves: their entities read in the polylines' pass,
// the fitted POLYLINEs taken as outlines, the curves converted after the
// polylines' search.
Result<ArcJobSummary> RunCurveJob(const ArcSearchSettings& settings, const JobInput& input,
                                  const std::string& output_name, JobObserver* observer) {
  PolylineModel model;
  CurveDrawing curves;
  CurveEntityReader reader(curves);
  RETURN_IF_FAILED(ReadPolylines(model, input, observer, &reader));
  if (model.PolylineCount() == 0 && curves.curves.empty()) return Failure{Notice::kNoPolylines, {}};
  const std::int64_t fitted = MarkFittedCurves(model);
  FindArcs(model, settings, 0, observer);
  ConvertCurves(curves, settings.deviation, 0, observer);
  RETURN_IF_FAILED(WriteArcResult(model, input, output_name, observer, &curves));
  ArcJobSummary summary = Summarise(model);
  CountCurves(curves, fitted, summary);
  return summary;
}

}  // namespace

Result<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings, const JobInput& input,
                                const std::string& output_name, JobObserver* observer) {
  return GuardedJob(input.Name(), [&]() -> Result<ArcJobSummary> {
    RETURN_IF_FAILED(OutputFile::CheckCreatable(output_name));
    if (settings.curves) return RunCurveJob(settings, input, output_name, observer);
    // Each polyline is searched as soon as it is read, by the thread that
    // reads it: no column of every coordinate is built.
    PolylineModel model;
    const std::unique_ptr<PolylineVisitor> first = MakeArcSearchInPassing(settings);
    const std::unique_ptr<PolylineVisitor> second = MakeArcSearchInPassing(settings);
    RETURN_IF_FAILED(
        ReadPolylinesToWorkOn(model, input, observer, false, {first.get(), second.get()}));
    RETURN_IF_FAILED(WriteArcResult(model, input, output_name, observer));
    return Summarise(model);
  });
}

Result<ArcJobSummary> RunArcJob(const ArcSearchSettings& settings, const std::string& input_name,
                                const std::string& output_name, JobObserver* observer) {
  return RunOnInputNamed(input_name, [&](const JobInput& input) {
    return RunArcJob(settings, input, output_name, observer);
  });
}

}  // namespace quillmere
