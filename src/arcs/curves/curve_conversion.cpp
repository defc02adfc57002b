#include "arcs/curves/curve_conversion.h"

#include <cstddef>
#include <vector>

#include "arcs/exact/exact_arc_search.h"
#include "curves/curve_sampling.h"
#include "support/parallel_items.h"

namespace quillmere {

namespace {

// Below this many curves in all, starting threads costs more than it saves.
constexpr std::int64_t kCurvesPerWorker = 64;

// What each worker keeps for all its curves: the engine and its buffers.
struct Converter {
  Converter(double deviation, double chord_error)
      : chord_error(chord_error), search(deviation - chord_error) {}

  double chord_error;
  ExactArcSearch search;
  std::vector<CurvePoint> samples;
  std::vector<PlanePoint> points;
  std::vector<FoundArc> arcs;
};

// The polyline's vertices: every point that starts an arc (with its
// bulge) or a straight segment, and the last point of an open path. A
// closed path's last point is its first again.
void CollectVertices(const std::vector<PlanePoint>& points, const std::vector<FoundArc>& arcs,
                     bool closed, std::vector<ConvertedVertex>& vertices) {
  vertices.clear();
  const auto last = static_cast<std::int32_t>(points.size()) - 1;
  std::size_t next_arc = 0;
  for (std::int32_t v = 0; v < last;) {
    const PlanePoint& point = points[static_cast<std::size_t>(v)];
    if (next_arc < arcs.size() && arcs[next_arc].first == v) {
      vertices.push_back({point.x, point.y, arcs[next_arc].bulge});
      v = arcs[next_arc++].last;
    } else {
      vertices.push_back({point.x, point.y, 0});
      ++v;
    }
  }
  if (!closed) vertices.push_back({points.back().x, points.back().y, 0});
}

void Convert(CurveRecord& record, Converter& converter) {
  const PlaneCurve& curve = record.reading.curve;
  if (SampleCurve(curve, converter.chord_error, converter.samples) != CurveRefusal::kNone) return;
  converter.points.clear();
  for (const CurvePoint& sample : converter.samples) converter.points.push_back({sample.x, sample.y});
  converter.search.Find(ArcPath{converter.points, {}, curve.closed}, converter.arcs);
  CollectVertices(converter.points, converter.arcs, curve.closed, record.vertices);
  // A closed polyline needs two vertices to enclose anything.
  if (record.vertices.size() < 2) {
    record.vertices = {};
    return;
  }
  record.converted = true;
  record.closed = curve.closed;
  record.elevation = curve.elevation;
  record.reading.curve = PlaneCurve{};  // no longer needed
}

}  // namespace

void ConvertCurves(CurveDrawing& drawing, double deviation, unsigned worker_count,
                   JobObserver* observer) {
  const double chord_error = deviation * kSamplingShare;
  if (!(chord_error > 0)) return;
  std::vector<std::size_t> readable;
  for (std::size_t k = 0; k < drawing.curves.size(); ++k) {
    const CurveRecord& record = drawing.curves[k];
    if (!record.cut_off && record.reading.ok()) readable.push_back(k);
  }
  const auto count = static_cast<std::int64_t>(readable.size());
  const unsigned workers = UsefulWorkers(count, count, kCurvesPerWorker, worker_count);
  ForEachItemInParallel<Converter>(
      count, workers, ProgressTap(observer, JobPhase::kSearching, count),
      [&] { return Converter(deviation, chord_error); },
      [&](Converter& converter, std::int64_t item) {
        Convert(drawing.curves[readable[static_cast<std::size_t>(item)]], converter);
      });
}

}  // namespace quillmere
