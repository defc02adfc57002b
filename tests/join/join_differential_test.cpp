// The production join passes against the plain reference on random
// drawings: both must leave the same model, receiver for receiver and vertex
// for vertex. The drawings are made to provoke what the spatial index could
// get wrong: many ends on one point, differences exactly at the tolerance,
// -0, coordinates so large that cell numbers overflow, tolerances from the
// smallest number to infinity, both entity kinds and all header flags.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "join/polyline_joining.h"
#include "join_test_models.h"
#include "reference_joining.h"

namespace quillmere {
namespace {

using testing::FirstDifference;
using testing::MakePolyline;
using testing::ModelOf;
using testing::Point3;
using testing::PlainModel;
using testing::PlainPolyline;

struct Scenario {
  const char* name;
  double tolerance;
  double origin;   // the sites lie around here
  double spacing;  // distance between neighbouring sites
  double nudge;    // the scale of small shifts off a site (finite)
};

class RandomDrawing {
 public:
  RandomDrawing(const Scenario& scenario, std::uint64_t seed)
      : scenario_(scenario), random_(seed) {}

  PlainModel Make(int count) {
    std::vector<PlainPolyline> polylines;
    for (int n = 0; n < count; ++n) polylines.push_back(MakeOne(n));
    return ModelOf(std::move(polylines));
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  static double Finite(double value) {
    return std::isfinite(value) ? value : std::copysign(DBL_MAX, value);
  }

  double Site() { return Finite(scenario_.origin + scenario_.spacing * Uniform(-3, 3)); }

  // A shift that lands inside, on or just outside the tolerance.
  double Shifted(double value) {
    const double nudge = scenario_.nudge;
    switch (Uniform(0, 9)) {
      case 0: return Finite(value + nudge);
      case 1: return Finite(value - nudge);
      case 2: return Finite(value + nudge / 2);
      case 3: return Finite(value - std::nextafter(nudge, 0.0));
      case 4: return Finite(value + 3 * nudge);
      case 5: return value == 0 ? -value : value;  // 0 becomes -0 and back
      default: return value;
    }
  }

  Point3 SitePoint() {
    return {Site(), Site(), Chance(0.8) ? 0.0 : Site()};
  }

  Point3 Near(const Point3& point) {
    return {Shifted(point[0]), Shifted(point[1]), Chance(0.9) ? point[2] : Shifted(point[2])};
  }

  std::int32_t Flags() {
    static constexpr std::int32_t kChoices[] = {0,  0, 0, kFlagClosed, kFlag3d, kFlag3d | kFlagClosed,
                                                kFlagCurveFit, kFlagSplineFit, kFlagPolygonMesh,
                                                kFlagPolyfaceMesh, 128, kFlag3d | kFlagSplineFit};
    return kChoices[Uniform(0, std::size(kChoices) - 1)];
  }

  PlainPolyline MakeOne(int n) {
    const int size = Chance(0.1) ? Uniform(0, 1) : Uniform(2, 5);
    std::vector<Point3> points;
    for (int i = 0; i < size; ++i) {
      if (i == 0 && !ends_.empty() && Chance(0.7)) {
        points.push_back(Near(ends_[static_cast<std::size_t>(Uniform(0, ends_.size() - 1))]));
      } else if (i == 0 && !starts_.empty() && Chance(0.3)) {
        points.push_back(Near(starts_[static_cast<std::size_t>(Uniform(0, starts_.size() - 1))]));
      } else {
        points.push_back(Near(SitePoint()));
      }
    }
    if (!points.empty()) {
      starts_.push_back(points.front());
      ends_.push_back(points.back());
    }
    const PolylineKind kind = Chance(0.5) ? PolylineKind::kLwPolyline : PolylineKind::kPolyline;
    return MakePolyline(kind, points, std::to_string(n), Flags());
  }

  Scenario scenario_;
  std::mt19937_64 random_;
  std::vector<Point3> ends_;
  std::vector<Point3> starts_;
};

int Attached(const PlainModel& model) {
  int count = 0;
  for (std::int32_t n = 0; n < model.PolylineCount(); ++n) count += model.polylines[n].dropped ? 1 : 0;
  return count;
}

class JoinDifferentialTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(JoinDifferentialTest, ProductionLeavesTheReferenceModel) {
  const Scenario& scenario = GetParam();
  int joins = 0;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    RandomDrawing drawing(scenario, seed);
    const int count = static_cast<int>(seed % 60) + 1;
    const PlainModel original = drawing.Make(count);
    PlainModel expected = original;
    testing::ReferenceJoinPolylines(expected, scenario.tolerance);
    PlainModel actual = original;
    testing::ProductionJoinPolylines(actual, scenario.tolerance);
    ASSERT_EQ(FirstDifference(expected, actual), "") << "seed " << seed;
    joins += Attached(expected);
  }
  // A scenario in which nothing can join proves nothing about the index.
  if (scenario.tolerance > 0) {
    EXPECT_GT(joins, 300) << "too few joins to compare";
  } else {
    EXPECT_EQ(joins, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, JoinDifferentialTest,
    ::testing::Values(
        Scenario{"Typical", 0.01, 0, 1, 0.01},
        Scenario{"SitesWithinTolerance", 1, 0, 0.7, 1},
        Scenario{"OffsetOrigin", 0.5, -1234.5, 1.5, 0.5},
        Scenario{"CellBoundaries", 1.0 / 3, 0, 1, 1.0 / 3},
        Scenario{"LargeCoordinates", 0.125, 1e15, 0.5, 0.125},
        Scenario{"HugeCoordinates", 1e-3, 1.7e308, 1e307, 1e292},
        Scenario{"CellNumbersOverflow", 1e-300, 1e10, 1, 1e-300},
        Scenario{"SmallestTolerance", 4.9406564584124654e-324, 0, 1e-323, 4.9406564584124654e-324},
        Scenario{"HugeTolerance", 1e6, 0, 100, 1e6},
        Scenario{"ToleranceNearMaximum", 1e308, 0, 1e307, 1e307},
        Scenario{"InfiniteTolerance", INFINITY, 0, 1e307, 1e307},
        Scenario{"ZeroTolerance", 0, 0, 1, 0},
        Scenario{"NegativeTolerance", -1, 0, 1, 1},
        Scenario{"NaNTolerance", NAN, 0, 1, 1}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return info.param.name; });

// Larger drawings: long chains that grow, are attached elsewhere and grow
// again, with thousands of ends in the index at once.
TEST(JoinDifferential, LargeDrawingsAgree) {
  for (const Scenario& scenario : {Scenario{"Dense", 0.3, 0, 1, 0.3},
                                   Scenario{"Sparse", 0.01, 0, 25, 0.01}}) {
    RandomDrawing drawing(scenario, 42);
    const PlainModel original = drawing.Make(3000);
    PlainModel expected = original;
    testing::ReferenceJoinPolylines(expected, scenario.tolerance);
    PlainModel actual = original;
    testing::ProductionJoinPolylines(actual, scenario.tolerance);
    EXPECT_EQ(FirstDifference(expected, actual), "") << scenario.name;
    EXPECT_GT(Attached(expected), 300) << scenario.name;
  }
}

}  // namespace
}  // namespace quillmere
