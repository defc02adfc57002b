// The exact mode of the arc search against the sampled mode on real
// drawings: for each drawing and the deviations 0.1 and 0.01, the search
// time of both modes (the sampled one at the start counts 100 and 100; best
// of several runs, one thread) and their ratio, and the vertices each
// leaves, with the sampled mode also at the counts 1000 and 1000 (one run),
// and the exact mode's count over the better of the two sampled ones.
//
// Usage: exact_mode_bench DRAWING...

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "arcs/arc_search.h"
#include "dxf/polyline_reader.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t VerticesLeft(const PolylineModel& model) {
  std::int64_t left = 0;
  for (std::int64_t v = 0; v < model.vertices.Count(); ++v) {
    left += model.HasMark(v, kVertexDropped) ? 0 : 1;
  }
  return left;
}

struct SearchRun {
  double seconds = 1e300;  // best of the runs
  std::int64_t left = 0;
};

// The search with `settings` on copies of `drawing`: the best time of
// `runs` runs, repeated while less than half a second was spent.
SearchRun TimeSearch(const PolylineModel& drawing, const ArcSearchSettings& settings, int runs) {
  SearchRun result;
  double spent = 0;
  for (int run = 0; run < 50 && (run < runs || (runs > 1 && spent < 0.5)); ++run) {
    PolylineModel model = drawing;
    const Clock::time_point start = Clock::now();
    FindArcs(model, settings, 1);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.seconds = std::min(result.seconds, seconds);
    spent += seconds;
    result.left = VerticesLeft(model);
  }
  return result;
}

void Compare(const std::string& name, double& sampled_total, double& exact_total) {
  PolylineModel drawing;
  if (!ReadPolylines(drawing, name) || drawing.vertices.Count() == 0) {
    std::printf("%-36s no polylines\n", std::filesystem::path(name).filename().c_str());
    return;
  }
  for (const double deviation : {0.1, 0.01}) {
    const SearchRun sampled = TimeSearch(drawing, {deviation, 100, 100, false}, 3);
    const SearchRun fine = TimeSearch(drawing, {deviation, 1000, 1000, false}, 1);
    const SearchRun exact = TimeSearch(drawing, {deviation, 100, 100, true}, 3);
    const std::int64_t better = std::min(sampled.left, fine.left);
    sampled_total += sampled.seconds;
    exact_total += exact.seconds;
    std::printf("%-36s %5g %8lld %10.4f %10.4f %6.2fx | %8lld %8lld %8lld %7.3f\n",
                std::filesystem::path(name).filename().c_str(), deviation,
                static_cast<long long>(drawing.vertices.Count()), sampled.seconds, exact.seconds,
                exact.seconds / sampled.seconds, static_cast<long long>(sampled.left),
                static_cast<long long>(fine.left), static_cast<long long>(exact.left),
                static_cast<double>(exact.left) / static_cast<double>(std::max<std::int64_t>(better, 1)));
  }
}

}  // namespace
}  // namespace quillmere

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "Usage: exact_mode_bench DRAWING...\n");
    return 2;
  }
  std::printf("Search times in seconds (one thread, best of runs); vertices left by the sampled "
              "mode at 100 100 and 1000 1000 and by the exact mode; exact over the better sampled.\n");
  std::printf("%-36s %5s %8s %10s %10s %7s | %8s %8s %8s %7s\n", "drawing", "dev", "vertices",
              "sampled s", "exact s", "ratio", "100 100", "1000", "exact", "left");
  double sampled_total = 0, exact_total = 0;
  for (int a = 1; a < argc; ++a) quillmere::Compare(argv[a], sampled_total, exact_total);
  std::printf("All drawings: sampled %.4f s, exact %.4f s, ratio %.2fx\n", sampled_total,
              exact_total, exact_total / std::max(sampled_total, 1e-12));
  return 0;
}
