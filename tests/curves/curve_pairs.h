#pragma once

// Curves for the tests, written as the group pairs of their entities.

#include <string>
#include <utility>
#include <vector>

#include "curves/curve_reader.h"
#include "support/numbers.h"

namespace quillmere::testing {

using GroupPairs = std::vector<std::pair<int, std::string>>;

inline std::string Text(double value) { return FormatGeneral(value); }

inline CurveReading ReadCurve(CurveEntity entity, const GroupPairs& pairs) {
  CurveReader reader(entity);
  for (const auto& [code, value] : pairs) reader.Take(code, value);
  return reader.Finish();
}

// A SPLINE's pairs: flags, degree, knots, control points (x, y, z) and
// weights (none when empty).
inline GroupPairs SplinePairs(int flags, int degree, const std::vector<double>& knots,
                              const std::vector<std::vector<double>>& points,
                              const std::vector<double>& weights = {}) {
  GroupPairs pairs{{0, "SPLINE"},
                   {8, "0"},
                   {100, "AcDbSpline"},
                   {210, "0"},
                   {220, "0"},
                   {230, "1"},
                   {70, std::to_string(flags)},
                   {71, std::to_string(degree)},
                   {72, std::to_string(knots.size())},
                   {73, std::to_string(points.size())},
                   {74, "0"}};
  for (const double knot : knots) pairs.emplace_back(40, Text(knot));
  for (const double weight : weights) pairs.emplace_back(41, Text(weight));
  for (const std::vector<double>& point : points) {
    pairs.emplace_back(10, Text(point[0]));
    pairs.emplace_back(20, Text(point[1]));
    pairs.emplace_back(30, Text(point.size() > 2 ? point[2] : 0.0));
  }
  pairs.erase(pairs.begin());  // the (0, SPLINE) pair comes before the reader
  return pairs;
}

}  // namespace quillmere::testing
