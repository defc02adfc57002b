#include "arcs/arc_search.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <span>
#include <thread>
#include <vector>

#include "arcs/arc_window_check.h"

namespace quillmere {

namespace {

// Below this many vertices in all, starting threads costs more than it saves.
constexpr std::int64_t kVerticesPerWorker = 2000;

// One polyline as the search sees it: its points, and for every vertex the
// first vertex from there on whose segment already is an arc (the vertex
// count when there is none).
struct SearchedPolyline {
  std::vector<PlanePoint> points;
  std::vector<std::int32_t> next_arc;

  void Load(const Polyline& polyline) {
    const std::size_t n = polyline.vertices.size();
    points.resize(n);
    next_arc.resize(n + 1);
    next_arc[n] = static_cast<std::int32_t>(n);
    for (std::size_t v = n; v-- > 0;) {
      const Vertex& vertex = polyline.vertices[v];
      points[v] = {vertex.x, vertex.y};
      next_arc[v] = vertex.carries_arc ? static_cast<std::int32_t>(v) : next_arc[v + 1];
    }
  }

  // A window holding an arc already fails: existing arcs are never refitted
  // from their end points alone.
  bool HoldsArc(std::int32_t first, std::int32_t last) const {
    return next_arc[static_cast<std::size_t>(first)] <= last - 1;
  }
};

// The longest window from `s` that passed: grown vertex by vertex until the
// first window that fails. Less than s + 3 when none did.
std::int32_t LongestWindow(const SearchedPolyline& searched, std::int32_t s,
                           ArcWindowCheck& window_check) {
  const auto n = static_cast<std::int32_t>(searched.points.size());
  std::int32_t e = s + 3;
  bool good = true;
  while (good && e <= n - 1) {
    if (!searched.HoldsArc(s, e) && window_check.Passes(s, e)) {
      ++e;
    } else {
      good = false;
    }
  }
  if (e > n - 1) e = n - 1;
  if (!good) --e;
  return e;
}

void MarkArcs(Polyline& polyline, const SearchedPolyline& searched,
              ArcWindowCheck& window_check) {
  const std::int32_t n = polyline.VertexCount();
  std::int32_t s = 0;
  do {
    const std::int32_t e = LongestWindow(searched, s, window_check);
    if (e < s + 3) {
      ++s;
      continue;
    }
    const std::span<const PlanePoint> points = searched.points;
    const std::optional<Arc> arc =
        ArcThroughPoints(points[static_cast<std::size_t>(s)],
                         points[static_cast<std::size_t>(s + (e - s) / 2)],
                         points[static_cast<std::size_t>(e)]);
    if (!arc) {
      ++s;
      continue;
    }
    for (std::int32_t v = s + 1; v < e; ++v) {
      polyline.vertices[static_cast<std::size_t>(v)].dropped = true;
    }
    Vertex& first = polyline.vertices[static_cast<std::size_t>(s)];
    first.gets_bulge = true;
    first.bulge = arc->bulge;
    s = e;
  } while (!(s + 3 > n - 1));
}

void SearchPolyline(Polyline& polyline, SearchedPolyline& searched,
                    ArcWindowCheck& window_check) {
  if (!HasPlainOutline(polyline)) return;
  for (Vertex& vertex : polyline.vertices) vertex.dropped = false;
  searched.Load(polyline);
  window_check.Use(searched.points);
  MarkArcs(polyline, searched, window_check);
}

// What the workers share: the next polyline to take, how many are done,
// and whom to tell.
struct SearchProgress {
  std::atomic<std::int32_t> next{0};
  std::atomic<std::int32_t> done{0};
  ProgressTap tap;
};

// Takes polylines in order until none is left; keeps the first exception
// that stops it.
void SearchPolylines(PolylineModel& model, const ArcSearchSettings& settings,
                     SearchProgress& progress, std::exception_ptr& error) {
  try {
    ArcWindowCheck window_check(settings);
    SearchedPolyline searched;
    for (std::int32_t p = progress.next++; p < model.PolylineCount(); p = progress.next++) {
      SearchPolyline(model.polylines[static_cast<std::size_t>(p)], searched, window_check);
      progress.tap.Report(++progress.done);
    }
  } catch (...) {
    error = std::current_exception();
  }
}

unsigned WorkerCount(const PolylineModel& model, unsigned requested) {
  std::int64_t vertices = 0;
  for (const Polyline& polyline : model.polylines) vertices += polyline.VertexCount();
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const std::int64_t useful = std::max<std::int64_t>(
      1, std::min<std::int64_t>(model.PolylineCount(), vertices / kVerticesPerWorker));
  const std::int64_t wanted = requested == 0 ? cores : requested;
  return static_cast<unsigned>(std::min(wanted, useful));
}

}  // namespace

bool HasPlainOutline(const Polyline& polyline) {
  constexpr std::int32_t kNotPlain =
      kFlagCurveFit | kFlagSplineFit | kFlag3d | kFlagPolygonMesh | kFlagPolyfaceMesh;
  return polyline.kind == PolylineKind::kLwPolyline || (polyline.header_flags & kNotPlain) == 0;
}

void FindArcs(PolylineModel& model, const ArcSearchSettings& settings, unsigned worker_count,
              JobObserver* observer) {
  const unsigned workers = WorkerCount(model, worker_count);
  std::vector<std::exception_ptr> errors(workers);
  SearchProgress progress;
  progress.tap = ProgressTap(observer, JobPhase::kSearching, model.PolylineCount());
  if (workers == 1) {
    SearchPolylines(model, settings, progress, errors[0]);
  } else {
    std::vector<std::jthread> threads;
    threads.reserve(workers);
    for (std::exception_ptr& error : errors) {
      threads.emplace_back([&model, &settings, &progress, &error] {
        SearchPolylines(model, settings, progress, error);
      });
    }
  }  // the threads are joined here
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace quillmere
