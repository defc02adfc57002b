#include "arcs/arc_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "arc_shapes.h"
#include "arcs/exact/exact_arc_search.h"
#include "arcs/sampled/sampled_arc_search.h"

namespace quillmere {
namespace {

using FoundList = std::vector<std::tuple<std::int32_t, std::int32_t, double>>;

FoundList Found(ArcEngine& engine, const ArcPath& path) {
  std::vector<FoundArc> arcs;
  engine.Find(path, arcs);
  FoundList found;
  for (const FoundArc& arc : arcs) found.emplace_back(arc.first, arc.last, arc.bulge);
  return found;
}

// A quarter circle, a straight run and a half circle turning the other way.
std::vector<PlanePoint> MixedPath() {
  std::vector<PlanePoint> points = testing::ArcVertices(0, 0, 50, 0, 90, 30);
  for (int i = 1; i <= 8; ++i) points.push_back({-5.0 * i, 50});
  const std::vector<PlanePoint> half = testing::ArcVertices(-40, 30, 20, 90, -90, 40);
  points.insert(points.end(), half.begin() + 1, half.end());
  return points;
}

// Points alone, as a caller with curves of its own hands them over, are
// searched as a path whose arcs may run to its end; a reach still stops
// every arc at a segment read as an arc.
TEST(ArcEngineTest, APathWithoutReachRunsToItsEndAndAReachStopsArcs) {
  const std::vector<PlanePoint> points = MixedPath();
  const auto count = static_cast<std::int32_t>(points.size());
  // As the search loads a polyline without arcs: every reach is the count.
  const std::vector<std::int32_t> open_reach(points.size() + 1, count);
  // The segment from vertex 20 to 21 was read as an arc.
  constexpr std::int32_t kReadArc = 20;
  std::vector<std::int32_t> stopped_reach = open_reach;
  for (std::int32_t v = 0; v <= kReadArc; ++v) stopped_reach[static_cast<std::size_t>(v)] = kReadArc;

  SampledArcSearch sampled(testing::kStartValues);
  ExactArcSearch exact(0.1);
  for (ArcEngine* engine : {static_cast<ArcEngine*>(&sampled), static_cast<ArcEngine*>(&exact)}) {
    SCOPED_TRACE(engine == &sampled ? "sampled" : "exact");
    const FoundList without_reach = Found(*engine, {points});
    EXPECT_GE(without_reach.size(), 2u);
    EXPECT_EQ(without_reach, Found(*engine, {points, open_reach}));
    const FoundList stopped = Found(*engine, {points, stopped_reach});
    ASSERT_FALSE(stopped.empty());
    for (const auto& [first, last, bulge] : stopped) {
      EXPECT_FALSE(first <= kReadArc && kReadArc < last) << first << ".." << last;
    }
  }
}

}  // namespace
}  // namespace quillmere
