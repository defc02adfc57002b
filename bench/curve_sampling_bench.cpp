// Speed and economy of the curve sampling: 5,000 random cubic SPLINEs of 12
// control points (a random walk in a 200 x 200 drawing, steps of 3 to 15,
// clamped uniform knots) read from their group pairs and sampled within a
// chord error of 0.0025, a quarter of the deviation 0.01 the arc job will
// fit arcs to them with.
//
// The reference is a plain uniform flattening with the same guarantee: each
// Bezier piece at evenly spaced parameters, as many as Wang's bound asks
// (n >= sqrt(p (p - 1) M / (8 chord_error)), M the largest second
// difference of the piece's control points), each point evaluated on its
// own. Prints the times, the samples per curve of both and the ratios.
//
// Usage: curve_sampling_bench [curves] [chord_error]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "curves/curve_reader.h"
#include "curves/curve_sampling.h"
#include "random_splines.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;
using bench::FlattenUniformly;
using bench::kControlPoints;
using bench::Pairs;
using bench::RandomSpline;

PlaneCurve Read(const Pairs& pairs) {
  CurveReader reader(CurveEntity::kSpline);
  for (const auto& [code, value] : pairs) reader.Take(code, value);
  CurveReading reading = reader.Finish();
  if (!reading.ok()) {
    std::fprintf(stderr, "a bench curve was refused: %s\n", RefusalName(reading.refusal));
    std::exit(1);
  }
  return std::move(reading.curve);
}

struct Run {
  double seconds = 1e300;
  std::size_t samples = 0;
};

template <typename Work>
Run Best(const std::vector<Pairs>& splines, Work&& work) {
  Run best;
  for (int repeat = 0; repeat < 5; ++repeat) {
    std::vector<CurvePoint> points;
    std::size_t samples = 0;
    const Clock::time_point start = Clock::now();
    for (const Pairs& pairs : splines) {
      work(Read(pairs), points);
      samples += points.size();
    }
    best.seconds =
        std::min(best.seconds, std::chrono::duration<double>(Clock::now() - start).count());
    best.samples = samples;
  }
  return best;
}

int Main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
  const double chord_error = argc > 2 ? std::atof(argv[2]) : 0.0025;
  std::mt19937_64 random(30);
  std::vector<Pairs> splines;
  for (int i = 0; i < count; ++i) splines.push_back(RandomSpline(random));

  const Run reading =
      Best(splines, [](const PlaneCurve&, std::vector<CurvePoint>& points) { points.clear(); });
  const Run sampled = Best(splines, [&](const PlaneCurve& curve, std::vector<CurvePoint>& points) {
    if (SampleCurve(curve, chord_error, points) != CurveRefusal::kNone) std::exit(1);
  });
  const Run uniform = Best(splines, [&](const PlaneCurve& curve, std::vector<CurvePoint>& points) {
    FlattenUniformly(curve, chord_error, points);
  });
  const double per_curve = static_cast<double>(sampled.samples) / count;
  const double uniform_per_curve = static_cast<double>(uniform.samples) / count;
  std::printf("%d cubic splines of %d control points, chord error %g (best of 5 runs)\n", count,
              kControlPoints, chord_error);
  std::printf("  reading the groups alone:   %8.3f s\n", reading.seconds);
  std::printf("  read and sampled (bound):   %8.3f s  %8.1f samples per curve\n", sampled.seconds,
              per_curve);
  std::printf("  read and uniform flattening:%8.3f s  %8.1f points per curve\n", uniform.seconds,
              uniform_per_curve);
  std::printf("  ratio sampled / uniform: time %.2f, points %.2f\n",
              sampled.seconds / uniform.seconds, per_curve / uniform_per_curve);
  // The whole conversion of 5,000 such splines may take 3 s.
  std::printf(
      "  reading and sampling take %.1f %% of the 3 s for the whole conversion of %d curves\n",
      100 * sampled.seconds / (3.0 * count / 5000), count);
  return 0;
}

}  // namespace
}  // namespace quillmere

int main(int argc, char** argv) { return quillmere::Main(argc, argv); }
