#include <gtest/gtest.h>

#include <vector>

#include "curve_pairs.h"
#include "curves/curve_sampling.h"

namespace quillmere {
namespace {

using testing::GroupPairs;
using testing::ReadCurve;
using testing::SplinePairs;

const std::vector<double> kCubicKnots{0, 0, 0, 0, 1, 1, 1, 1};
const std::vector<std::vector<double>> kFourPoints{{0, 0}, {1, 1}, {2, 1}, {3, 0}};

// The pairs with the first pair of `code` given `value` (added when missing).
GroupPairs With(GroupPairs pairs, int code, const std::string& value) {
  for (auto& pair : pairs) {
    if (pair.first == code) {
      pair.second = value;
      return pairs;
    }
  }
  pairs.emplace_back(code, value);
  return pairs;
}

TEST(CurveRefusalTest, CurvesThatCannotBeConvertedSayWhy) {
  const GroupPairs spline = SplinePairs(8, 3, kCubicKnots, kFourPoints);
  ASSERT_TRUE(ReadCurve(CurveEntity::kSpline, spline).ok());
  const GroupPairs ellipse{{10, "0"}, {20, "0"}, {30, "0"},  {11, "2"},
                           {21, "0"}, {31, "0"}, {40, "0.5"}};
  ASSERT_TRUE(ReadCurve(CurveEntity::kEllipse, ellipse).ok());

  const struct {
    const char* what;
    CurveEntity entity;
    GroupPairs pairs;
    CurveRefusal refusal;
  } cases[] = {
      {"tilted", CurveEntity::kSpline, With(spline, 220, "0.5"), CurveRefusal::kTiltedExtrusion},
      {"tilted ellipse", CurveEntity::kEllipse, With(ellipse, 210, "1"),
       CurveRefusal::kTiltedExtrusion},
      {"a point raised", CurveEntity::kSpline,
       SplinePairs(8, 3, kCubicKnots, {{0, 0, 0}, {1, 1, 0}, {2, 1, 0.5}, {3, 0, 0}}),
       CurveRefusal::kNotFlat},
      {"axis out of the plan", CurveEntity::kEllipse, With(ellipse, 31, "1"),
       CurveRefusal::kNotFlat},
      {"five knots said", CurveEntity::kSpline, With(spline, 72, "5"),
       CurveRefusal::kCountsDisagree},
      {"knots short", CurveEntity::kSpline, SplinePairs(8, 3, {0, 0, 0, 0, 1, 1, 1}, kFourPoints),
       CurveRefusal::kCountsDisagree},
      {"a y unreadable", CurveEntity::kSpline, With(spline, 20, "x"),
       CurveRefusal::kUnreadableNumber},
      {"weights short", CurveEntity::kSpline, SplinePairs(12, 3, kCubicKnots, kFourPoints, {1, 2}),
       CurveRefusal::kCountsDisagree},
      {"knots fall", CurveEntity::kSpline,
       SplinePairs(8, 3, {0, 0, 0, 0, 1, 1, 0.5, 1}, kFourPoints), CurveRefusal::kBadKnots},
      {"no range", CurveEntity::kSpline, SplinePairs(8, 3, {0, 0, 0, 0, 0, 1, 1, 1}, kFourPoints),
       CurveRefusal::kBadKnots},
      {"broken inside", CurveEntity::kSpline, SplinePairs(8, 1, {0, 0, 1, 1, 2, 2}, kFourPoints),
       CurveRefusal::kBadKnots},
      {"degree 0", CurveEntity::kSpline, With(spline, 71, "0"), CurveRefusal::kDegreeOutOfRange},
      {"degree 4 of 4 points", CurveEntity::kSpline,
       SplinePairs(8, 4, {0, 0, 0, 0, 0, 1, 1, 1, 1}, kFourPoints),
       CurveRefusal::kDegreeOutOfRange},
      {"degree 16", CurveEntity::kSpline, With(spline, 71, "16"), CurveRefusal::kDegreeOutOfRange},
      {"no points", CurveEntity::kSpline, SplinePairs(8, 3, {}, {}), CurveRefusal::kNoPoints},
      {"one fit point twice",
       CurveEntity::kSpline,
       {{71, "3"}, {11, "1"}, {21, "1"}, {11, "1"}, {21, "1"}},
       CurveRefusal::kNoPoints},
      {"nan", CurveEntity::kSpline, With(spline, 10, "nan"), CurveRefusal::kUnreadableNumber},
      {"huge", CurveEntity::kSpline, With(spline, 10, "1e200"), CurveRefusal::kUnreadableNumber},
      {"zero weight", CurveEntity::kSpline,
       SplinePairs(12, 3, kCubicKnots, kFourPoints, {1, 0, 1, 1}),
       CurveRefusal::kNonPositiveWeight},
      {"all in one place", CurveEntity::kSpline,
       SplinePairs(8, 3, kCubicKnots, {{1, 2}, {1, 2}, {1, 2}, {1, 2}}), CurveRefusal::kDegenerate},
      {"no axis", CurveEntity::kEllipse, With(With(ellipse, 11, "0"), 21, "0"),
       CurveRefusal::kDegenerate},
      {"flat ellipse", CurveEntity::kEllipse, With(ellipse, 40, "0"), CurveRefusal::kDegenerate},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadCurve(c.entity, c.pairs).refusal, c.refusal)
        << c.what << ": " << RefusalName(ReadCurve(c.entity, c.pairs).refusal);
  }
}

TEST(CurveRefusalTest, ChordErrorBelowTheCoordinatesResolution) {
  const CurveReading far = ReadCurve(
      CurveEntity::kSpline,
      SplinePairs(8, 3, kCubicKnots, {{1e9, 0}, {1e9 + 1, 1}, {1e9 + 2, 1}, {1e9 + 3, 0}}));
  ASSERT_TRUE(far.ok());
  std::vector<CurvePoint> samples{{1, 2}};
  EXPECT_EQ(SampleCurve(far.curve, 1e-4, samples), CurveRefusal::kTooFine);
  EXPECT_TRUE(samples.empty());
  EXPECT_EQ(SampleCurve(far.curve, 1e-2, samples), CurveRefusal::kNone);
}

}  // namespace
}  // namespace quillmere
