// Speed of the arc search: the production search against the straightforward
// reference on a generated drawing of arcs and straight runs, and how the
// production search grows with the arc and line test counts.
//
// The reference is far too slow for the whole drawing, so it runs on every
// k-th polyline. Both searches make exactly the same window tests, so the
// reference time is scaled by the segments tested in the whole drawing over
// those tested in the subset (the work of a window test grows with its
// segments); the scaling by window tests alone is printed too.
//
// Usage: arc_search_bench [vertices [subset_step]]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "arcs/arc_job.h"
#include "arcs/arc_search.h"
#include "arcs/arc_shapes.h"
#include "arcs/sampled/sampled_window_check.h"
#include "reference_arc_search.h"
#include "named_input.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Polylines of 150 to 250 vertices: arcs of radius 1 to 50 over 20 to 300
// degrees, tessellated so that a segment strays 0.01 to 0.06 from its arc,
// and straight runs with corners; some with noise well inside the deviation.
std::vector<testing::PlainPolyline> GenerateDrawing(std::int64_t vertex_target) {
  testing::OutlineMaker maker(4242);
  std::vector<testing::PlainPolyline> polylines;
  std::int64_t vertices = 0;
  while (vertices < vertex_target) {
    std::vector<PlanePoint> points;
    const int length = maker.Whole(150, 250);
    const double noise = maker.Chance(0.3) ? 0.005 : 0;
    while (static_cast<int>(points.size()) < length) {
      if (maker.Chance(0.6)) {
        const double radius = maker.Scale(1, 50);
        const double sag = maker.Uniform(0.01, 0.06);
        const double step = 2 * std::acos(1 - std::min(sag / radius, 0.5));
        const double sweep = maker.Uniform(20, 300) * (maker.Chance(0.5) ? 1 : -1);
        const int segments = std::max(2, static_cast<int>(std::abs(testing::Radians(sweep)) / step));
        maker.AddArc(points, radius, sweep, segments, noise);
      } else {
        maker.AddStraight(points, maker.Uniform(0.5, 5), maker.Whole(1, 8), noise);
      }
    }
    points.resize(static_cast<std::size_t>(length));
    vertices += length;
    polylines.push_back(testing::PolylineOf(points));
  }
  return polylines;
}

// The window tests and segments a search makes on `model`, found by running
// the search loop with the production window test.
reference::SearchCounts CountWork(const std::vector<testing::PlainPolyline>& polylines,
                                  const ArcSearchSettings& settings) {
  reference::PlainModel model{polylines};
  SampledWindowCheck window_check(settings);
  const testing::PlainPolyline* cached = nullptr;
  std::vector<PlanePoint> points;
  reference::SearchCounts counts;
  reference::FindArcs(
      model, settings,
      [&](const testing::PlainPolyline& polyline, std::int32_t s, std::int32_t e) {
        if (&polyline != cached) {
          cached = &polyline;
          points.clear();
          for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
            points.push_back({polyline.vertices[v].x, polyline.vertices[v].y});
          }
        }
        return window_check.Passes(points, s, e);
      },
      &counts);
  return counts;
}

// Seconds of the production search over the whole model, best of `runs`.
double TimeProduction(const PolylineModel& original, const ArcSearchSettings& settings,
                      unsigned workers, int runs, PolylineModel* result = nullptr) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    PolylineModel model = original;
    const Clock::time_point start = Clock::now();
    FindArcs(model, settings, workers);
    best = std::min(best, SecondsSince(start));
    if (result) *result = std::move(model);
  }
  return best;
}

int CountArcs(const PolylineModel& model) { return static_cast<int>(model.arc_starts.size()); }

class CountingMessages : public NoticeSink {
 public:
  void Notify(const Failure&) override { ++shown; }
  int shown = 0;
};

std::string DxfOf(const std::vector<testing::PlainPolyline>& polylines) {
  std::string text = "0\nSECTION\n2\nENTITIES\n";
  char number[64];
  for (const testing::PlainPolyline& polyline : polylines) {
    text += "0\nLWPOLYLINE\n8\n0\n90\n" + std::to_string(polyline.VertexCount()) + "\n70\n0\n";
    for (const testing::PlainVertex& vertex : polyline.vertices) {
      std::snprintf(number, sizeof number, "10\n%.17g\n20\n%.17g\n", vertex.x, vertex.y);
      text += number;
    }
  }
  return text + "0\nENDSEC\n0\nEOF\n";
}

int Run(std::int64_t vertex_target, int subset_step) {
  const ArcSearchSettings start_values{0.1, 100, 100};
  const std::vector<testing::PlainPolyline> polylines = GenerateDrawing(vertex_target);
  const PolylineModel drawing = testing::ModelOf(polylines);
  std::int64_t vertices = 0;
  for (const testing::PlainPolyline& polyline : polylines) vertices += polyline.VertexCount();
  std::printf("Drawing: %zu polylines, %lld vertices; %u hardware threads\n", polylines.size(),
              static_cast<long long>(vertices), std::thread::hardware_concurrency());

  // Production over the whole drawing.
  PolylineModel production_result;
  const double production = TimeProduction(drawing, start_values, 0, 3, &production_result);
  const double production_single = TimeProduction(drawing, start_values, 1, 3);
  const reference::SearchCounts all = CountWork(polylines, start_values);
  std::printf("Production at (0.1, 100, 100): %.3f s (one thread %.3f s), %d arcs, %lld window "
              "tests, %lld segment tests, %.0f ns per segment test on one thread\n",
              production, production_single, CountArcs(production_result),
              static_cast<long long>(all.window_tests), static_cast<long long>(all.segment_tests),
              production_single * 1e9 / static_cast<double>(all.segment_tests));

  // The reference over every k-th polyline.
  std::vector<testing::PlainPolyline> subset_polylines;
  std::vector<testing::PlainPolyline> subset_production;
  const std::vector<testing::PlainPolyline> searched =
      testing::WithArcMarks(polylines, production_result);
  for (std::size_t p = 0; p < polylines.size(); p += static_cast<std::size_t>(subset_step)) {
    subset_polylines.push_back(polylines[p]);
    subset_production.push_back(searched[p]);
  }
  reference::PlainModel subset{subset_polylines};
  reference::SearchCounts subset_counts;
  const Clock::time_point start = Clock::now();
  reference::FindArcs(subset, start_values, {}, &subset_counts);
  const double reference_subset = SecondsSince(start);
  const bool same = testing::MarksOf(subset.polylines) == testing::MarksOf(subset_production);
  const double by_segments = reference_subset * static_cast<double>(all.segment_tests) /
                             static_cast<double>(subset_counts.segment_tests);
  const double by_windows = reference_subset * static_cast<double>(all.window_tests) /
                            static_cast<double>(subset_counts.window_tests);
  std::printf("Reference on every %d. polyline (%zu polylines): %.2f s for %lld window tests, "
              "%lld segment tests; marks %s the production's\n",
              subset_step, subset_polylines.size(), reference_subset,
              static_cast<long long>(subset_counts.window_tests),
              static_cast<long long>(subset_counts.segment_tests),
              same ? "equal" : "DIFFER FROM");
  std::printf("Reference for the whole drawing, scaled by segment tests: %.1f s "
              "(by window tests: %.1f s)\n",
              by_segments, by_windows);
  std::printf("Speed-up: %.0fx (one production thread: %.0fx)\n", by_segments / production,
              by_segments / production_single);

  // Growth with the test counts.
  std::printf("\nProduction by arc test count Na and line test count Nl (deviation 0.1):\n");
  std::printf("%6s %6s %10s %10s %8s %12s %12s %10s\n", "Na", "Nl", "time s", "1 thread s",
              "arcs", "windows", "segments", "ns/segment");
  for (const std::int32_t na : {100, 500, 1000}) {
    for (const std::int32_t nl : {100, 500, 1000}) {
      const ArcSearchSettings settings{0.1, na, nl};
      PolylineModel result;
      const double time = TimeProduction(drawing, settings, 0, 3, &result);
      const double single = TimeProduction(drawing, settings, 1, 3);
      const reference::SearchCounts counts = CountWork(polylines, settings);
      std::printf("%6d %6d %10.3f %10.3f %8d %12lld %12lld %10.0f\n", na, nl, time, single,
                  CountArcs(result), static_cast<long long>(counts.window_tests),
                  static_cast<long long>(counts.segment_tests),
                  single * 1e9 / static_cast<double>(counts.segment_tests));
    }
  }

  // The whole job: read, search, write.
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("quillmere-arc-bench-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
  const std::string input = (dir / "drawing.dxf").string();
  const std::string output = (dir / "arcs.dxf").string();
  std::ofstream(input, std::ios::binary) << DxfOf(polylines);
  CountingMessages messages;
  PolylineModel model;
  const Clock::time_point job_start = Clock::now();
  RunArcJob(start_values, input, output, messages);
  const double job = SecondsSince(job_start);
  std::printf("\nWhole job (read %.1f MB, search, write %.1f MB): %.3f s, %d messages\n",
              static_cast<double>(std::filesystem::file_size(input)) / 1e6,
              static_cast<double>(std::filesystem::file_size(output)) / 1e6, job,
              messages.shown);
  std::filesystem::remove_all(dir);
  return same && messages.shown == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quillmere

int main(int argc, char** argv) {
  const std::int64_t vertices = argc > 1 ? std::atoll(argv[1]) : 100000;
  const int subset_step = argc > 2 ? std::atoi(argv[2]) : 25;
  return quillmere::Run(vertices, std::max(subset_step, 1));
}
