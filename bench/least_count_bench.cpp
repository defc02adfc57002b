// The exact mode's counts against the least its rules allow: for each
// drawing and the deviations 0.1, 0.05 and 0.01, the segments the exact
// engine leaves on each plain polyline against the fewest that a plain
// dynamic programme over every window finds (tests/reference), both with the
// same window test, and the time each took. A polyline counts as many
// segments as it writes: its vertices left, less one when it is open.
// Polylines of more than --longest vertices (default 3000) are searched by
// the engine only. With --scan, also the windows that a plain scan of 64
// arcs per window passes and the engine's window test fails.
//
// Usage: least_count_bench [--scan] [--longest N] DRAWING...

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "arcs/arc_search.h"
#include "arcs/exact/exact_arc_search.h"
#include "dxf/polyline_reader.h"
#include "fewest_segments.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A polyline as the arc search hands it to its engine: a closed outline
// with its first vertex again at the end, and no arc beyond a segment read
// as an arc.
struct LoadedPath {
  std::vector<PlanePoint> points;
  std::vector<std::int32_t> reach;
  bool closed = false;

  ArcPath Path() const { return {points, reach, closed}; }
};

LoadedPath Load(const PolylineModel& model, const PolylineRecord& polyline) {
  LoadedPath loaded;
  loaded.closed = (polyline.header_flags & kFlagClosed) != 0;
  const std::int32_t n = polyline.vertex_count;
  const std::int32_t count = loaded.closed && n > 0 ? n + 1 : n;
  loaded.points.resize(static_cast<std::size_t>(count));
  loaded.reach.assign(static_cast<std::size_t>(count) + 1, count);
  for (std::int32_t v = count - 1; v >= 0; --v) {
    const std::int64_t vertex = model.VertexIndex(polyline, v % n);
    loaded.points[static_cast<std::size_t>(v)] = {model.vertices.x[vertex], model.vertices.y[vertex]};
    const bool read_arc = v < n && model.HasMark(vertex, kVertexCarriesArc);
    loaded.reach[static_cast<std::size_t>(v)] =
        read_arc ? v : loaded.reach[static_cast<std::size_t>(v) + 1];
  }
  return loaded;
}

// Windows that the scan passes and the engine's window test fails.
std::int64_t MissedWindows(const ArcPath& path, double deviation) {
  const reference::PassingArc exact = reference::ExactPassingArc(path, deviation);
  const reference::PassingArc scanned = reference::ScannedPassingArc(path, deviation, 64);
  const auto last = static_cast<std::int32_t>(path.points.size()) - 1;
  std::int64_t missed = 0;
  for (std::int32_t first = 0; first + 2 <= last; ++first) {
    for (std::int32_t end = first + 2; end <= last; ++end) {
      if (scanned(first, end) && !exact(first, end)) ++missed;
    }
  }
  return missed;
}

struct Options {
  bool scan = false;
  std::int32_t longest = 3000;
};

void Compare(const std::string& name, const Options& options) {
  PolylineModel drawing;
  if (!ReadPolylines(drawing, name) || drawing.vertices.Count() == 0) {
    std::printf("%s: no polylines\n", name.c_str());
    return;
  }
  const bool by_polyline = drawing.PolylineCount() <= 20;
  for (const double deviation : {0.1, 0.05, 0.01}) {
    std::int64_t engine_total = 0, least_total = 0, engine_compared = 0, above = 0, missed = 0;
    double engine_seconds = 0, least_seconds = 0;
    int skipped = 0;
    ExactArcSearch engine(deviation);
    std::vector<FoundArc> arcs;
    std::string rows;
    for (const PolylineRecord& polyline : drawing.polylines) {
      if (!HasPlainOutline(polyline) || polyline.vertex_count < 2) continue;
      const LoadedPath loaded = Load(drawing, polyline);
      const ArcPath path = loaded.Path();
      const Clock::time_point engine_start = Clock::now();
      engine.Find(path, arcs);
      engine_seconds += SecondsSince(engine_start);
      const std::int64_t engine_count = reference::SegmentCount(path, arcs);
      engine_total += engine_count;
      if (polyline.vertex_count > options.longest) {
        ++skipped;
        continue;
      }
      const Clock::time_point least_start = Clock::now();
      const std::int64_t least = reference::SegmentCount(
          path, reference::FewestSegments(path, reference::ExactPassingArc(path, deviation)));
      least_seconds += SecondsSince(least_start);
      least_total += least;
      engine_compared += engine_count;
      above += engine_count > least ? 1 : 0;
      const std::int64_t polyline_missed = options.scan ? MissedWindows(path, deviation) : 0;
      missed += polyline_missed;
      if (by_polyline) {
        char row[64];
        std::snprintf(row, sizeof row, polyline_missed > 0 ? " %lld/%lld (%lld missed)" : " %lld/%lld",
                      static_cast<long long>(engine_count), static_cast<long long>(least),
                      static_cast<long long>(polyline_missed));
        rows += row;
      }
    }
    std::printf("%s %5g: engine %lld segments (%lld where compared), least %lld, %lld polylines "
                "above the least, %d long ones not compared; engine %.4f s, least %.3f s",
                std::filesystem::path(name).filename().c_str(), deviation,
                static_cast<long long>(engine_total), static_cast<long long>(engine_compared),
                static_cast<long long>(least_total), static_cast<long long>(above), skipped,
                engine_seconds, least_seconds);
    if (options.scan) std::printf("; windows the scan passes and the engine fails: %lld",
                                  static_cast<long long>(missed));
    std::printf("\n");
    if (by_polyline) std::printf("  engine/least by polyline:%s\n", rows.c_str());
  }
}

}  // namespace
}  // namespace quillmere

int main(int argc, char** argv) {
  quillmere::Options options;
  std::vector<std::string> drawings;
  for (int a = 1; a < argc; ++a) {
    const std::string argument = argv[a];
    if (argument == "--scan") {
      options.scan = true;
    } else if (argument == "--longest" && a + 1 < argc) {
      options.longest = std::atoi(argv[++a]);
    } else {
      drawings.push_back(argument);
    }
  }
  if (drawings.empty()) {
    std::fprintf(stderr, "Usage: least_count_bench [--scan] [--longest N] DRAWING...\n");
    return 2;
  }
  for (const std::string& drawing : drawings) quillmere::Compare(drawing, options);
  return 0;
}
