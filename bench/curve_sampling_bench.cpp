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

#include "curves/bezier_piece.h"
#include "curves/curve_reader.h"
#include "curves/curve_sampling.h"
#include "support/numbers.h"

namespace quillmere {
namespace {

using Clock = std::chrono::steady_clock;
using Pairs = std::vector<std::pair<int, std::string>>;

constexpr int kControlPoints = 12;
constexpr int kDegree = 3;

Pairs RandomSpline(std::mt19937_64& random) {
  std::uniform_real_distribution<double> start(0, 200);
  std::uniform_real_distribution<double> step(3, 15);
  std::uniform_real_distribution<double> turn(-1.2, 1.2);
  Pairs pairs{{100, "AcDbSpline"},
              {210, "0"},
              {220, "0"},
              {230, "1"},
              {70, "8"},
              {71, std::to_string(kDegree)},
              {72, std::to_string(kControlPoints + kDegree + 1)},
              {73, std::to_string(kControlPoints)},
              {74, "0"}};
  const int spans = kControlPoints - kDegree;
  for (int i = 0; i < kControlPoints + kDegree + 1; ++i) {
    pairs.emplace_back(40, FormatGeneral(std::clamp(i - kDegree, 0, spans)));
  }
  double x = start(random), y = start(random), heading = turn(random) * 3;
  for (int i = 0; i < kControlPoints; ++i) {
    pairs.emplace_back(10, FormatGeneral(x));
    pairs.emplace_back(20, FormatGeneral(y));
    pairs.emplace_back(30, "0");
    const double length = step(random);
    heading += turn(random);
    x += length * std::cos(heading);
    y += length * std::sin(heading);
  }
  return pairs;
}

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

// The reference: each piece at evenly spaced parameters, Wang's count.
void FlattenUniformly(const PlaneCurve& curve, double chord_error,
                      std::vector<CurvePoint>& points) {
  points.clear();
  points.push_back(PointAt(curve, curve.FirstParameter()));
  const std::size_t p = static_cast<std::size_t>(curve.degree);
  for (std::size_t span = p; span < curve.control_points.size(); ++span) {
    const double a = curve.knots[span];
    const double b = curve.knots[span + 1];
    if (!(a < b)) continue;
    const BezierPiece piece = BezierPieceOfSpan(curve, span);
    double most = 0;
    for (std::size_t j = 0; j + 2 <= p; ++j) {
      const CurvePoint q0 = piece.points[j].Projected();
      const CurvePoint q1 = piece.points[j + 1].Projected();
      const CurvePoint q2 = piece.points[j + 2].Projected();
      most = std::max(most, std::hypot(q0.x - 2 * q1.x + q2.x, q0.y - 2 * q1.y + q2.y));
    }
    const int count =
        std::max(1, static_cast<int>(std::ceil(std::sqrt(p * (p - 1) * most / (8 * chord_error)))));
    for (int i = 1; i <= count; ++i) points.push_back(PointAt(curve, a + (b - a) * i / count));
  }
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
