#include "arcs/arc_search.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "arcs/arc_engine.h"
#include "arcs/exact/exact_arc_search.h"
#include "arcs/sampled/sampled_arc_search.h"
#include "support/parallel_items.h"

namespace quillmere {

namespace {

// Below this many vertices in all, starting threads costs more than it saves.
constexpr std::int64_t kVerticesPerWorker = 2000;

// The engine the settings choose; only that one is made.
std::unique_ptr<ArcEngine> MakeEngine(const ArcSearchSettings& settings) {
  if (settings.exact) return std::make_unique<ExactArcSearch>(settings.deviation);
  return std::make_unique<SampledArcSearch>(settings);
}

// One polyline as the engines see it: its points, and for every vertex the
// first vertex from there on whose segment already is an arc (the vertex
// count when there is none), which no arc may run beyond. A converted
// spline-fit polyline's frame vertices are no points of it; `vertex_of`
// then tells the vertex of each point.
struct SearchedPolyline {
  std::vector<PlanePoint> points;
  std::vector<std::int32_t> next_arc;
  std::vector<std::int32_t> vertex_of;  // empty: point v is vertex v

  // With `wrapped`, the first point follows the last once more: the
  // closing segment of a closed outline. `point_of(v)` gives vertex v of
  // the polyline.
  template <typename PointOf>
  ArcPath Load(const PolylineModel& model, const PolylineRecord& polyline, bool wrapped,
               PointOf point_of) {
    vertex_of.clear();
    if (polyline.fit_converted) {
      for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
        if (!model.HasMark(model.VertexIndex(polyline, v), kVertexFrame)) vertex_of.push_back(v);
      }
    }
    const std::size_t n = polyline.fit_converted ? vertex_of.size()
                                                 : static_cast<std::size_t>(polyline.vertex_count);
    const auto vertex = [&](std::size_t point) {
      return vertex_of.empty() ? static_cast<std::int32_t>(point) : vertex_of[point];
    };
    const std::size_t count = wrapped && n > 0 ? n + 1 : n;
    points.resize(count);
    next_arc.resize(count + 1);
    next_arc[count] = static_cast<std::int32_t>(count);
    if (count > n) {
      points[n] = point_of(vertex(0));
      next_arc[n] = static_cast<std::int32_t>(n);
    }
    for (std::size_t v = n; v-- > 0;) {
      points[v] = point_of(vertex(v));
      next_arc[v] = model.HasMark(model.VertexIndex(polyline, vertex(v)), kVertexCarriesArc)
                        ? static_cast<std::int32_t>(v)
                        : next_arc[v + 1];
    }
    return {points, next_arc, wrapped};
  }

  // The vertex of point `point` of the path loaded last (the wrapped first
  // point is the first vertex again).
  std::int32_t VertexOf(std::int32_t point) const {
    if (vertex_of.empty()) return point;
    return vertex_of[static_cast<std::size_t>(point) % vertex_of.size()];
  }
};

// Marks one arc: its inner vertices dropped, its first vertex with the
// bulge.
void MarkArc(PolylineModel& model, const PolylineRecord& polyline, const SearchedPolyline& path,
             const FoundArc& arc, std::vector<ArcStart>& arc_starts) {
  for (std::int32_t v = arc.first + 1; v < arc.last; ++v) {
    model.SetMark(model.VertexIndex(polyline, path.VertexOf(v)), kVertexDropped, true);
  }
  const std::int64_t first = model.VertexIndex(polyline, path.VertexOf(arc.first));
  model.SetMark(first, kVertexGetsBulge, true);
  arc_starts.push_back({first, arc.bulge});
}

// What each worker keeps for all its polylines: its engines, buffers and
// the arcs it found. Converted fitted curves are searched exactly whatever
// the settings; that engine is made when one comes.
struct Search {
  explicit Search(const ArcSearchSettings& settings)
      : settings(settings), engine(MakeEngine(settings)) {}

  ArcEngine& EngineFor(const PolylineRecord& polyline) {
    if (!polyline.fit_converted || settings.exact) return *engine;
    if (!exact) exact = std::make_unique<ExactArcSearch>(settings.deviation);
    return *exact;
  }

  ArcSearchSettings settings;
  std::unique_ptr<ArcEngine> engine;
  std::unique_ptr<ArcEngine> exact;
  SearchedPolyline searched;
  std::vector<FoundArc> found;
  std::vector<ArcStart> arc_starts;
};

template <typename PointOf>
void SearchPolyline(PolylineModel& model, const PolylineRecord& polyline, Search& search,
                    PointOf point_of) {
  if (!HasPlainOutline(polyline)) return;
  // A frame vertex is never written. Marks already right are left alone:
  // most are.
  for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
    const std::int64_t vertex = model.VertexIndex(polyline, v);
    const bool dropped = polyline.fit_converted && model.HasMark(vertex, kVertexFrame);
    if (model.HasMark(vertex, kVertexDropped) != dropped) {
      model.SetMark(vertex, kVertexDropped, dropped);
    }
  }
  ArcEngine& engine = search.EngineFor(polyline);
  const bool closed = (polyline.header_flags & kFlagClosed) != 0;
  const ArcPath path = search.searched.Load(
      model, polyline, closed && engine.RunsOverClosingSegment(), point_of);
  engine.Find(path, search.found);
  for (const FoundArc& arc : search.found) {
    MarkArc(model, polyline, search.searched, arc, search.arc_starts);
  }
}

// The arcs of all workers join those found before, by vertex; a vertex's
// new arc replaces an earlier one. Sized exactly and sorted in place: on a
// large drawing the arc starts are a good part of the job's memory.
void KeepArcStarts(PolylineModel& model, std::vector<Search>& searches) {
  std::size_t found = 0;
  for (const Search& search : searches) found += search.arc_starts.size();
  std::vector<ArcStart> fresh;
  fresh.reserve(found);
  for (Search& search : searches) {
    fresh.insert(fresh.end(), search.arc_starts.begin(), search.arc_starts.end());
    search.arc_starts = {};
  }
  // Workers search different polylines, so no vertex starts two new arcs.
  const auto by_vertex = [](const ArcStart& a, const ArcStart& b) { return a.vertex < b.vertex; };
  std::sort(fresh.begin(), fresh.end(), by_vertex);
  std::vector<ArcStart>& earlier = model.arc_starts;
  if (earlier.empty()) {
    earlier = std::move(fresh);
    return;
  }
  std::vector<ArcStart> merged;
  merged.reserve(earlier.size() + fresh.size());
  auto old_start = earlier.begin();
  for (const ArcStart& start : fresh) {
    for (; old_start != earlier.end() && old_start->vertex < start.vertex; ++old_start) {
      merged.push_back(*old_start);
    }
    if (old_start != earlier.end() && old_start->vertex == start.vertex) ++old_start;
    merged.push_back(start);
  }
  merged.insert(merged.end(), old_start, earlier.end());
  earlier = std::move(merged);
}

class SearchInPassing : public PolylineVisitor {
 public:
  explicit SearchInPassing(const ArcSearchSettings& settings) : search_(settings) {}

  void Visit(PolylineModel& model, std::int32_t index, std::span<const double> x,
             std::span<const double> y) override {
    const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
    SearchPolyline(model, polyline, search_, [&](std::int32_t v) {
      return PlanePoint{x[static_cast<std::size_t>(v)], y[static_cast<std::size_t>(v)]};
    });
    // Polylines come in file order: with each one's arcs by vertex, the
    // model's arc starts stay sorted.
    std::vector<ArcStart>& found = search_.arc_starts;
    std::sort(found.begin(), found.end(),
              [](const ArcStart& a, const ArcStart& b) { return a.vertex < b.vertex; });
    model.arc_starts.insert(model.arc_starts.end(), found.begin(), found.end());
    found.clear();
  }

 private:
  Search search_;
};

}  // namespace

bool HasPlainOutline(const PolylineRecord& polyline) {
  constexpr std::int32_t kNotPlain =
      kFlagCurveFit | kFlagSplineFit | kFlag3d | kFlagPolygonMesh | kFlagPolyfaceMesh;
  const std::int32_t not_plain =
      polyline.fit_converted ? kNotPlain & ~(kFlagCurveFit | kFlagSplineFit) : kNotPlain;
  return polyline.kind == PolylineKind::kLwPolyline || (polyline.header_flags & not_plain) == 0;
}

void FindArcs(PolylineModel& model, const ArcSearchSettings& settings, unsigned worker_count,
              JobObserver* observer) {
  const unsigned workers = UsefulWorkers(model.PolylineCount(), model.VertexTotal(),
                                         kVerticesPerWorker, worker_count);
  const ProgressTap tap(observer, JobPhase::kSearching, model.PolylineCount());
  // Workers mark the vertices of different polylines only, and each keeps
  // its arcs to itself.
  std::vector<Search> searches = ForEachItemInParallel<Search>(
      model.PolylineCount(), workers, tap, [&settings] { return Search(settings); },
      [&model](Search& search, std::int64_t p) {
        const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(p)];
        SearchPolyline(model, polyline, search, [&](std::int32_t v) {
          const std::int64_t vertex = model.VertexIndex(polyline, v);
          return PlanePoint{model.vertices.x[vertex], model.vertices.y[vertex]};
        });
      });
  KeepArcStarts(model, searches);
}

std::unique_ptr<PolylineVisitor> MakeArcSearchInPassing(const ArcSearchSettings& settings) {
  return std::make_unique<SearchInPassing>(settings);
}

}  // namespace quillmere
