// Speed and economy of the whole curve conversion (`--curves convert1`):
// a drawing of 5,000 random cubic SPLINEs of 12 control points
// (random_splines.h) converted by the arc job at the deviation 0.01,
// reading, conversion and writing, against two plain references in the
// same run: copying the file (what any job costs at least), and a plain
// fine flattening of the same curves into straight segments within the
// deviation (random_splines.h, each curve read from its pairs). Prints
// the times (best of 3 runs), the ratios, and the vertices per curve of
// the job's polylines of arcs against those of the flattening.
//
// Usage: curve_conversion_bench [curves] [deviation]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "arcs/arc_job.h"
#include "curves/curve_reader.h"
#include "dxf/handle_text.h"
#include "dxf/polyline_reader.h"
#include "random_splines.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;

void WriteDrawing(const std::string& name, const std::vector<bench::Pairs>& splines) {
  std::ofstream file(name, std::ios::binary);
  const auto pair = [&file](const std::string& code, const std::string& value) {
    file << code << "\r\n" << value << "\r\n";
  };
  pair("  0", "SECTION");
  pair("  2", "HEADER");
  pair("  9", "$ACADVER");
  pair("  1", "AC1015");
  pair("  9", "$HANDSEED");
  pair("  5", FormatHandle(static_cast<std::int64_t>(splines.size()) + 0x100));
  pair("  0", "ENDSEC");
  pair("  0", "SECTION");
  pair("  2", "ENTITIES");
  std::int64_t handle = 0x100;
  for (const bench::Pairs& spline : splines) {
    pair("  0", "SPLINE");
    pair("  5", FormatHandle(handle++));
    pair("330", "1F");
    pair("100", "AcDbEntity");
    pair("  8", "0");
    for (const auto& [code, value] : spline) pair(std::to_string(code), value);
  }
  pair("  0", "ENDSEC");
  pair("  0", "EOF");
}

template <typename Work>
double Best(int runs, Work&& work) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

int Main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
  const double deviation = argc > 2 ? std::atof(argv[2]) : 0.01;
  std::mt19937_64 random(30);
  std::vector<bench::Pairs> splines;
  for (int i = 0; i < count; ++i) splines.push_back(bench::RandomSpline(random));
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("curve_conversion_bench." + std::to_string(Clock::now().time_since_epoch().count()));
  std::filesystem::create_directories(folder);
  const std::string input = (folder / "splines.dxf").string();
  const std::string output = (folder / "arcs.dxf").string();
  const std::string copy = (folder / "copy.dxf").string();
  WriteDrawing(input, splines);

  const double copied = Best(3, [&] {
    std::filesystem::copy_file(input, copy, std::filesystem::copy_options::overwrite_existing);
  });
  ArcJobSummary summary;
  const double converted = Best(3, [&] {
    const Result<ArcJobSummary> result = RunArcJob({deviation, 100, 100, false, true}, input, output);
    if (!result) {
      std::fprintf(stderr, "the job failed\n");
      std::exit(1);
    }
    summary = *result;
  });
  PolylineModel written;
  if (!ReadPolylines(written, output)) return 1;
  std::int64_t flattened_points = 0;
  const double flattened = Best(3, [&] {
    flattened_points = 0;
    std::vector<CurvePoint> points;
    for (const bench::Pairs& pairs : splines) {
      CurveReader reader(CurveEntity::kSpline);
      for (const auto& [code, value] : pairs) reader.Take(code, value);
      bench::FlattenUniformly(reader.Finish().curve, deviation, points);
      flattened_points += static_cast<std::int64_t>(points.size());
    }
  });
  std::filesystem::remove_all(folder);

  const double per_curve = static_cast<double>(written.VertexTotal()) / count;
  const double flat_per_curve = static_cast<double>(flattened_points) / count;
  std::printf("%d cubic splines of %d control points at %g (best of 3 runs)\n", count,
              bench::kControlPoints, deviation);
  std::printf("  %lld curves converted, %lld arcs\n",
              static_cast<long long>(summary.curves_converted), static_cast<long long>(summary.arcs));
  std::printf("  copying the drawing (cp):       %8.3f s\n", copied);
  std::printf("  the arc job with --curves:      %8.3f s  %6.1f vertices per curve\n", converted,
              per_curve);
  std::printf("  plain flattening within %g:  %8.3f s  %6.1f vertices per curve\n", deviation,
              flattened, flat_per_curve);
  std::printf("  ratios: job / cp %.1f, job / flattening %.1f; vertices %.3f of the flattening's\n",
              converted / copied, converted / flattened, per_curve / flat_per_curve);
  std::printf("  the job takes %.0f %% of the 3 s allowed for 5,000 curves\n",
              100 * converted / (3.0 * count / 5000));
  return 0;
}

}  // namespace
}  // namespace quillmere

int main(int argc, char** argv) { return quillmere::Main(argc, argv); }
