#include "arcs/arc_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "arcs/arc_engine.h"
#include "arcs/exact/exact_arc_search.h"
#include "arcs/sampled/sampled_arc_search.h"

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
// count when there is none), which no arc may run beyond.
struct SearchedPolyline {
  std::vector<PlanePoint> points;
  std::vector<std::int32_t> next_arc;

  // With `wrapped`, the first vertex follows the last once more: the
  // closing segment of a closed outline.
  ArcPath Load(const PolylineModel& model, const PolylineRecord& polyline, bool wrapped) {
    const auto n = static_cast<std::size_t>(polyline.vertex_count);
    const std::size_t count = wrapped && n > 0 ? n + 1 : n;
    points.resize(count);
    next_arc.resize(count + 1);
    next_arc[count] = static_cast<std::int32_t>(count);
    if (count > n) {
      points[n] = {model.vertices.x[polyline.first_vertex], model.vertices.y[polyline.first_vertex]};
      next_arc[n] = static_cast<std::int32_t>(n);
    }
    for (std::size_t v = n; v-- > 0;) {
      const std::int64_t vertex = polyline.first_vertex + static_cast<std::int64_t>(v);
      points[v] = {model.vertices.x[vertex], model.vertices.y[vertex]};
      next_arc[v] = model.HasMark(vertex, kVertexCarriesArc) ? static_cast<std::int32_t>(v)
                                                             : next_arc[v + 1];
    }
    return {points, next_arc, wrapped};
  }
};

// Marks one arc: its inner vertices dropped, its first vertex with the
// bulge.
void MarkArc(PolylineModel& model, const PolylineRecord& polyline, const FoundArc& arc,
             std::vector<ArcStart>& arc_starts) {
  for (std::int32_t v = arc.first + 1; v < arc.last; ++v) {
    model.SetMark(model.VertexIndex(polyline, v), kVertexDropped, true);
  }
  const std::int64_t first = model.VertexIndex(polyline, arc.first);
  model.SetMark(first, kVertexGetsBulge, true);
  arc_starts.push_back({first, arc.bulge});
}

// What each worker keeps for all its polylines: its engine and buffers.
struct Search {
  explicit Search(const ArcSearchSettings& settings) : engine(MakeEngine(settings)) {}

  std::unique_ptr<ArcEngine> engine;
  SearchedPolyline searched;
  std::vector<FoundArc> found;
};

void SearchPolyline(PolylineModel& model, const PolylineRecord& polyline, Search& search,
                    std::vector<ArcStart>& arc_starts) {
  if (!HasPlainOutline(polyline)) return;
  for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
    model.SetMark(model.VertexIndex(polyline, v), kVertexDropped, false);
  }
  const bool closed = (polyline.header_flags & kFlagClosed) != 0;
  const ArcPath path =
      search.searched.Load(model, polyline, closed && search.engine->RunsOverClosingSegment());
  search.engine->Find(path, search.found);
  for (const FoundArc& arc : search.found) MarkArc(model, polyline, arc, arc_starts);
}

// What the workers share: the next polyline to take, how many are done,
// whether to stop, and how many workers have ended (which the job's thread
// waits for).
struct SearchProgress {
  std::atomic<std::int32_t> next{0};
  std::atomic<std::int32_t> done{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  unsigned ended = 0;  // guarded by `mutex`
};

// What one worker leaves: the arcs it found, and the first exception that
// stopped it.
struct WorkerResult {
  std::vector<ArcStart> arc_starts;
  std::exception_ptr error;
};

// Takes polylines in order until none is left or the search is to stop.
// Workers mark the vertices of different polylines only, and each keeps its
// arcs to itself. `tap`, only for the one that runs on the job's thread,
// reports after every polyline.
void SearchPolylines(PolylineModel& model, const ArcSearchSettings& settings,
                     SearchProgress& progress, WorkerResult& result,
                     const ProgressTap* tap = nullptr) {
  try {
    Search search(settings);
    for (std::int32_t p = progress.next++; p < model.PolylineCount() && !progress.stop;
         p = progress.next++) {
      SearchPolyline(model, model.polylines[static_cast<std::size_t>(p)], search,
                     result.arc_starts);
      const std::int32_t done = ++progress.done;
      if (tap != nullptr) tap->Report(done);
    }
  } catch (...) {
    result.error = std::current_exception();
    progress.stop = true;  // the others need not go on
  }
  const std::lock_guard lock(progress.mutex);
  ++progress.ended;
  progress.changed.notify_all();
}

// How often the job's thread tells the observer how far the workers are.
constexpr auto kReportInterval = std::chrono::milliseconds(20);

// Runs on the job's thread while `workers` threads search: the observer is
// called from here only, never from a worker. When it asks the job to stop,
// the workers stop after their current polyline and JobStopped goes on.
void ReportUntilEnded(SearchProgress& progress, unsigned workers, const ProgressTap& tap) {
  std::unique_lock lock(progress.mutex);
  bool ended = false;
  while (!ended) {
    ended = progress.changed.wait_for(lock, kReportInterval,
                                      [&] { return progress.ended == workers; });
    lock.unlock();
    try {
      tap.Report(progress.done);
    } catch (...) {
      progress.stop = true;
      throw;
    }
    lock.lock();
  }
}

// The arcs of all workers join those found before, by vertex; a vertex's
// new arc replaces an earlier one. Sized exactly and sorted in place: on a
// large drawing the arc starts are a good part of the job's memory.
void KeepArcStarts(PolylineModel& model, std::vector<WorkerResult>& results) {
  std::size_t found = 0;
  for (const WorkerResult& result : results) found += result.arc_starts.size();
  std::vector<ArcStart> fresh;
  fresh.reserve(found);
  for (WorkerResult& result : results) {
    fresh.insert(fresh.end(), result.arc_starts.begin(), result.arc_starts.end());
    result.arc_starts = {};
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

unsigned WorkerCount(const PolylineModel& model, unsigned requested) {
  const std::int64_t vertices = model.vertices.Count();
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const std::int64_t useful = std::max<std::int64_t>(
      1, std::min<std::int64_t>(model.PolylineCount(), vertices / kVerticesPerWorker));
  const std::int64_t wanted = requested == 0 ? cores : requested;
  return static_cast<unsigned>(std::min(wanted, useful));
}

}  // namespace

bool HasPlainOutline(const PolylineRecord& polyline) {
  constexpr std::int32_t kNotPlain =
      kFlagCurveFit | kFlagSplineFit | kFlag3d | kFlagPolygonMesh | kFlagPolyfaceMesh;
  return polyline.kind == PolylineKind::kLwPolyline || (polyline.header_flags & kNotPlain) == 0;
}

void FindArcs(PolylineModel& model, const ArcSearchSettings& settings, unsigned worker_count,
              JobObserver* observer) {
  const unsigned workers = WorkerCount(model, worker_count);
  std::vector<WorkerResult> results(workers);
  SearchProgress progress;
  const ProgressTap tap(observer, JobPhase::kSearching, model.PolylineCount());
  if (workers == 1) {
    SearchPolylines(model, settings, progress, results[0], &tap);
  } else {
    std::vector<std::jthread> threads;
    threads.reserve(workers);
    for (WorkerResult& result : results) {
      threads.emplace_back([&model, &settings, &progress, &result] {
        SearchPolylines(model, settings, progress, result);
      });
    }
    ReportUntilEnded(progress, workers, tap);
  }  // the threads are joined here, also when the job stops
  for (const WorkerResult& result : results) {
    if (result.error) std::rethrow_exception(result.error);
  }
  KeepArcStarts(model, results);
}

}  // namespace quillmere
