#include "arcs/arc_search.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

#include "arcs/arc_window_test.h"

namespace quillmere {

namespace {

// Below this many vertices in all, starting threads costs more than it saves.
constexpr std::int64_t kVerticesPerWorker = 2000;

// Marks the arcs of one polyline whose coordinates are in `points`.
// `next_arc[k]` is the first vertex from k on whose segment already is an
// arc (n when there is none): a window holding one fails, so existing arcs
// are never refitted from their end points alone.
void MarkArcs(tpoly& polyline, std::span<const PlanePoint> points,
              std::span<const std::int32_t> next_arc, ArcWindowTest& window_test, ArcFields& arc) {
  const std::int32_t n = polyline.anzp;
  std::int32_t s = 0;
  do {
    std::int32_t e = s + 3;
    bool good = true;
    while (good && e <= n - 1) {
      if (next_arc[static_cast<std::size_t>(s)] > e - 1 && window_test.Passes(points, s, e, arc)) {
        ++e;
      } else {
        good = false;
      }
    }
    if (e > n - 1) e = n - 1;
    if (!good) --e;
    // [s, e] is now the longest window that passed, unless e < s + 3.
    if (e < s + 3) {
      ++s;
      continue;
    }
    const PlanePoint start = points[static_cast<std::size_t>(s)];
    const PlanePoint middle = points[static_cast<std::size_t>(s + (e - s) / 2)];
    const PlanePoint end = points[static_cast<std::size_t>(e)];
    if (!arc.ArcThroughPoints(start.x, start.y, middle.x, middle.y, end.x, end.y)) {
      ++s;
      continue;
    }
    for (std::int32_t v = s + 1; v < e; ++v) polyline.ps[static_cast<std::size_t>(v)].delit = true;
    Tmypoi& first = polyline.ps[static_cast<std::size_t>(s)];
    first.writebulge = true;
    first.bulge = arc.bulge;
    s = e;
  } while (!(s + 3 > n - 1));
}

// Searches one polyline. True when it computed an arc at all, that is when
// it is a plain outline with at least four vertices.
bool SearchPolyline(tpoly& polyline, std::vector<PlanePoint>& points,
                    std::vector<std::int32_t>& next_arc, ArcWindowTest& window_test,
                    ArcFields& arc) {
  if (!HasPlainOutline(polyline)) return false;
  const std::size_t n = static_cast<std::size_t>(std::max(polyline.anzp, 0));
  points.resize(n);
  next_arc.resize(n + 1);
  next_arc[n] = static_cast<std::int32_t>(n);
  for (std::size_t v = n; v-- > 0;) {
    Tmypoi& vertex = polyline.ps[v];
    vertex.delit = false;
    points[v] = {vertex.x, vertex.y};
    next_arc[v] = vertex.carries_arc ? static_cast<std::int32_t>(v) : next_arc[v + 1];
  }
  MarkArcs(polyline, points, next_arc, window_test, arc);
  return n >= 4;
}

// What one worker leaves behind: the arc computed last in the polyline of
// highest rank it searched, and any exception that stopped it.
struct WorkerOutcome {
  std::int32_t last_polyline = -1;
  ArcFields last_arc;
  std::exception_ptr error;
};

// Takes polylines in rank order from `next` until none is left.
void SearchPolylines(PolylineModel& model, const ArcSearchSettings& settings,
                     std::atomic<std::int32_t>& next, WorkerOutcome& outcome) {
  try {
    ArcWindowTest window_test(settings);
    std::vector<PlanePoint> points;
    std::vector<std::int32_t> next_arc;
    ArcFields arc;
    for (std::int32_t p = next++; p < model.anzpoly; p = next++) {
      if (SearchPolyline(model.polys[static_cast<std::size_t>(p)], points, next_arc, window_test,
                         arc)) {
        outcome.last_polyline = p;
        outcome.last_arc = arc;
      }
    }
  } catch (...) {
    outcome.error = std::current_exception();
  }
}

unsigned WorkerCount(const PolylineModel& model, unsigned requested) {
  std::int64_t vertices = 0;
  for (std::int32_t p = 0; p < model.anzpoly; ++p) {
    vertices += model.polys[static_cast<std::size_t>(p)].anzp;
  }
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const std::int64_t useful = std::max<std::int64_t>(
      1, std::min<std::int64_t>(model.anzpoly, vertices / kVerticesPerWorker));
  const std::int64_t wanted = requested == 0 ? cores : requested;
  return static_cast<unsigned>(std::min(wanted, useful));
}

}  // namespace

bool HasPlainOutline(const tpoly& polyline) {
  constexpr std::int32_t kNotPlain =
      kFlagCurveFit | kFlagSplineFit | kFlag3d | kFlagPolygonMesh | kFlagPolyfaceMesh;
  return polyline.kind == PolylineKind::kLwPolyline || (polyline.headerflags & kNotPlain) == 0;
}

void ArcSearch(PolylineModel& model, const ArcSearchSettings& settings, ArcFields& arc,
               unsigned worker_count) {
  const unsigned workers = WorkerCount(model, worker_count);
  std::vector<WorkerOutcome> outcomes(workers);
  std::atomic<std::int32_t> next{0};
  if (workers == 1) {
    SearchPolylines(model, settings, next, outcomes[0]);
  } else {
    std::vector<std::jthread> threads;
    threads.reserve(workers);
    for (WorkerOutcome& outcome : outcomes) {
      threads.emplace_back([&model, &settings, &next, &outcome] {
        SearchPolylines(model, settings, next, outcome);
      });
    }
  }  // the threads are joined here

  const WorkerOutcome* last = nullptr;
  for (const WorkerOutcome& outcome : outcomes) {
    if (outcome.error) std::rethrow_exception(outcome.error);
    if (outcome.last_polyline >= 0 && (!last || outcome.last_polyline > last->last_polyline)) {
      last = &outcome;
    }
  }
  if (last) arc = last->last_arc;
}

void ArcSearch(PolylineModel& model, const ArcSearchSettings& settings) {
  ArcFields arc;
  ArcSearch(model, settings, arc);
}

}  // namespace quillmere
