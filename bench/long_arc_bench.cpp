// Speed of the arc search on long, finely tessellated arcs (a CAM export):
// drawings of 10 polylines, each one arc of radius 50 over 300 degrees with
// 1e-4 noise, at 1k, 2k, 4k and 8k vertices per arc. Prints the time per
// vertex for each size and its growth from 1k to 8k, at two settings.
//
// The same run compares with the window test segment by segment (the
// search's window test before summaries of long runs, whose work grows with
// the window): on the first polyline of every drawing it runs the whole
// search with it, prints the ratio of the times per vertex and checks that
// the marks are identical.
//
// The exact mode runs on the same drawings at deviation 0.5: its time per
// vertex, its growth from 1k to 8k, the time of the whole 8k drawing, and on
// the first polyline the ratio to the plain exact search that grows every
// window vertex by vertex (the same window test; its work grows with the
// square of the arc's length) and whether both find the same arcs.
//
// Usage: long_arc_bench [arcs_per_drawing]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "arcs/arc_search.h"
#include "arcs/arc_shapes.h"
#include "arcs/exact/exact_window_check.h"
#include "arcs/sampled/sampled_full_window_check.h"
#include "reference_arc_search.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
  double wall = 0;       // seconds
  double processor = 0;  // seconds of processor time, all threads
};

Timing TimingSince(Clock::time_point wall_start, std::clock_t processor_start) {
  return {std::chrono::duration<double>(Clock::now() - wall_start).count(),
          static_cast<double>(std::clock() - processor_start) / CLOCKS_PER_SEC};
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one.empty() ? "unknown" : one + " " + five + " " + fifteen;
}

// `arcs` polylines of `vertices` vertices each: an arc of radius 50 over 300
// degrees, counter-clockwise or clockwise, from a random start angle, each
// coordinate moved by up to 1e-4.
std::vector<testing::PlainPolyline> LongArcs(int arcs, int vertices, std::uint64_t seed) {
  testing::OutlineMaker maker(seed);
  std::vector<testing::PlainPolyline> polylines;
  for (int a = 0; a < arcs; ++a) {
    const double start = maker.Uniform(-180, 180);
    const double sweep = maker.Chance(0.5) ? 300 : -300;
    std::vector<PlanePoint> points =
        testing::ArcVertices(120.0 * a, 40, 50, start, start + sweep, vertices - 1);
    for (PlanePoint& p : points) {
      p.x += maker.Uniform(-1e-4, 1e-4);
      p.y += maker.Uniform(-1e-4, 1e-4);
    }
    polylines.push_back(testing::PolylineOf(points));
  }
  return polylines;
}

// The production search on the whole drawing: the best wall time and the
// best processor time of at least 3 runs, repeated until a second has been
// spent (at most 30 runs), so that small drawings are timed as reliably as
// large ones on a shared machine.
Timing TimeProduction(const PolylineModel& drawing, const ArcSearchSettings& settings,
                      PolylineModel& result) {
  Timing best{1e300, 1e300};
  double spent = 0;
  for (int run = 0; run < 30 && (run < 3 || spent < 1); ++run) {
    PolylineModel model = drawing;
    const Clock::time_point wall_start = Clock::now();
    const std::clock_t processor_start = std::clock();
    FindArcs(model, settings);
    const Timing timing = TimingSince(wall_start, processor_start);
    best = {std::min(best.wall, timing.wall), std::min(best.processor, timing.processor)};
    spent += timing.wall;
    result = std::move(model);
  }
  return best;
}

// The search on one polyline with the window test segment by segment.
Timing TimeSegmentBySegment(testing::PlainPolyline& polyline, const ArcSearchSettings& settings) {
  std::vector<PlanePoint> points;
  for (const testing::PlainVertex& vertex : polyline.vertices) points.push_back({vertex.x, vertex.y});
  const Deviation deviation(settings.deviation);
  ArcTestPoints test_points(deviation, settings.arc_tests);
  FullWindowCheck full_check(deviation);
  const auto window_test = [&](const testing::PlainPolyline&, std::int32_t s, std::int32_t e) {
    const std::optional<Arc> arc = WindowArc(points, s, e);
    if (!arc) return false;
    test_points.Reset(*arc);
    return full_check.Passes(test_points, settings.line_tests, arc->bulge > 0, points, s, e);
  };
  const Clock::time_point wall_start = Clock::now();
  const std::clock_t processor_start = std::clock();
  reference::SearchPolyline(polyline, settings, window_test);
  return TimingSince(wall_start, processor_start);
}

int CountArcs(const PolylineModel& model) { return static_cast<int>(model.arc_starts.size()); }

// What a reference search on the first polyline of a drawing took, and
// whether it found what the production search found on the whole drawing.
struct ReferenceRun {
  Timing timing;
  bool same = false;
};
using ReferenceSearch = std::function<ReferenceRun(
    const std::vector<testing::PlainPolyline>& polylines, const PolylineModel& result)>;

// How a table names the reference's columns and what it adds to the growth.
struct TableLabels {
  const char* reference_time;  // the reference's time per vertex
  const char* agreement;       // whether both found the same
  const char* growth_note;
};

// Times the production search with `settings` over every size against
// `reference`, printing one row per size and the growth of the time per
// vertex; returns false when the reference found something else.
bool RunSizes(const ArcSearchSettings& settings, int arcs, const TableLabels& labels,
              const ReferenceSearch& reference) {
  const int width = static_cast<int>(std::strlen(labels.reference_time));
  std::printf("%8s %9s %9s %10s %11s %11s %6s | %*s %8s %6s\n", "per arc", "vertices", "wall s",
              "cpu s", "wall us/v", "cpu us/v", "arcs", width, labels.reference_time, "ratio",
              labels.agreement);
  bool all_same = true;
  double first_wall = 0, first_processor = 0, last_wall = 0, last_processor = 0;
  for (const int size : {1000, 2000, 4000, 8000}) {
    const std::vector<testing::PlainPolyline> polylines = LongArcs(arcs, size, 1000 + size);
    const PolylineModel drawing = testing::ModelOf(polylines);
    const double vertices = static_cast<double>(arcs) * size;
    PolylineModel result;
    const Timing production = TimeProduction(drawing, settings, result);

    const ReferenceRun reference_run = reference(polylines, result);
    all_same = all_same && reference_run.same;
    const double wall_per_vertex = production.wall * 1e6 / vertices;
    const double processor_per_vertex = production.processor * 1e6 / vertices;
    const double reference_per_vertex = reference_run.timing.processor * 1e6 / size;
    std::printf("%8d %9.0f %9.3f %10.3f %11.3f %11.3f %6d | %*.3f %7.0fx %6s\n", size, vertices,
                production.wall, production.processor, wall_per_vertex, processor_per_vertex,
                CountArcs(result), width, reference_per_vertex,
                reference_per_vertex / processor_per_vertex,
                reference_run.same ? "same" : "DIFFER");
    if (size == 1000) {
      first_wall = wall_per_vertex;
      first_processor = processor_per_vertex;
    }
    last_wall = wall_per_vertex;
    last_processor = processor_per_vertex;
  }
  std::printf("Growth of the time per vertex from 1k to 8k vertices per arc: %.2fx wall, %.2fx "
              "processor%s\n",
              last_wall / first_wall, last_processor / first_processor, labels.growth_note);
  return all_same;
}

// Runs one setting over every size; returns false when marks differ.
bool RunSetting(const ArcSearchSettings& settings, int arcs) {
  std::printf("\nSettings: deviation %g, arc test count %d, line test count %d\n",
              settings.deviation, settings.arc_tests, settings.line_tests);
  return RunSizes(settings, arcs, {"old cpu us/v", "marks", ""},
                  [&](const std::vector<testing::PlainPolyline>& polylines,
                      const PolylineModel& result) {
                    testing::PlainPolyline old_search = polylines[0];
                    const Timing timing = TimeSegmentBySegment(old_search, settings);
                    return ReferenceRun{
                        timing, testing::MarksOf({old_search}) ==
                                    testing::MarksOf({testing::WithArcMarks(polylines, result)[0]})};
                  });
}

// The plain exact search on one polyline: every window grown vertex by
// vertex from its start until the first that fails. Returns its arcs as
// (first, last) pairs.
std::vector<std::pair<std::int32_t, std::int32_t>> PlainExactSearch(
    const testing::PlainPolyline& polyline, double deviation) {
  std::vector<PlanePoint> points;
  for (const testing::PlainVertex& vertex : polyline.vertices) points.push_back({vertex.x, vertex.y});
  ExactWindowCheck check(deviation);
  check.Use(points);
  std::vector<std::pair<std::int32_t, std::int32_t>> arcs;
  const auto last = static_cast<std::int32_t>(points.size()) - 1;
  std::int32_t s = 0;
  while (s + 2 <= last) {
    std::int32_t e = s + 1;
    while (e + 1 <= last && check.PassingBulge(s, e + 1)) ++e;
    if (e >= s + 2) {
      arcs.emplace_back(s, e);
      s = e;
    } else {
      ++s;
    }
  }
  return arcs;
}

std::vector<std::pair<std::int32_t, std::int32_t>> ArcsOf(const PolylineModel& model,
                                                          std::int32_t index) {
  const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
  std::vector<std::pair<std::int32_t, std::int32_t>> arcs;
  for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
    if (!model.HasMark(model.VertexIndex(polyline, v), kVertexGetsBulge)) continue;
    std::int32_t e = v + 1;
    while (e < polyline.vertex_count && model.HasMark(model.VertexIndex(polyline, e), kVertexDropped)) {
      ++e;
    }
    arcs.emplace_back(v, e);
  }
  return arcs;
}

// The exact mode over every size; returns false when its arcs differ from
// the plain exact search's.
bool RunExact(double deviation, int arcs) {
  const ArcSearchSettings settings{deviation, 100, 100, true};
  std::printf("\nExact mode: deviation %g\n", deviation);
  return RunSizes(settings, arcs, {"plain cpu us/v", "arcs", " (target at most 1.5x)"},
                  [&](const std::vector<testing::PlainPolyline>& polylines,
                      const PolylineModel& result) {
                    const Clock::time_point wall_start = Clock::now();
                    const std::clock_t processor_start = std::clock();
                    const auto plain = PlainExactSearch(polylines[0], deviation);
                    const Timing timing = TimingSince(wall_start, processor_start);
                    return ReferenceRun{timing, plain == ArcsOf(result, 0)};
                  });
}

int Run(int arcs) {
  std::printf("Long arcs: %d polylines per drawing, radius 50, 300 degrees, noise 1e-4; %u "
              "hardware threads; load average %s\n",
              arcs, std::thread::hardware_concurrency(), LoadAverage().c_str());
  std::printf("Production: whole drawing, best wall time and best processor time (all threads) "
              "of 3 to 30 runs. Old: window test segment by segment, whole search on the first "
              "polyline, one thread; ratio: old cpu per vertex over production cpu per vertex.\n");
  bool same = RunSetting({0.5, 1000, 100}, arcs);
  same = RunSetting({0.1, 100, 100}, arcs) && same;
  same = RunExact(0.5, arcs) && same;
  std::printf("\nLoad average at the end: %s\n", LoadAverage().c_str());
  std::printf("Marks: %s\n", same ? "identical" : "DIFFERENT");
  return same ? 0 : 1;
}

}  // namespace
}  // namespace quillmere

int main(int argc, char** argv) {
  const int arcs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  return quillmere::Run(arcs);
}
