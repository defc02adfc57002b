#include "lines/line_chaining.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "lines/line_reader.h"
#include "reference_chaining.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::ReferenceChainLines;

struct Segment {
  double x0, y0, z0;
  double x1, y1, z1;
};

Segment Flat(double x0, double y0, double x1, double y1) { return {x0, y0, 0, x1, y1, 0}; }

// A model of two-vertex records as the line reader makes them. The lines of
// each vertex name its segment and end ("2s", "2e"), so that the vertices
// can be traced wherever they move.
LineModel MakeModel(const std::vector<Segment>& segments) {
  LineModel model;
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const Segment& s = segments[k];
    LineRecord& record = model.AddRecord();
    record.kind = PolylineKind::kLwPolyline;
    record.header.AddPair("  0", "LWPOLYLINE");
    LineVertex& start = record.AddVertex();
    start.x = s.x0, start.y = s.y0, start.z = s.z0;
    start.pairs.AddPair(" 10", std::to_string(k) + "s");
    LineVertex& end = record.AddVertex();
    end.x = s.x1, end.y = s.y1, end.z = s.z1;
    end.pairs.AddPair(" 10", std::to_string(k) + "e");
  }
  return model;
}

// The written chains: "index: vertex names" for every record that is
// neither consumed nor too short.
std::vector<std::string> Chains(const LineModel& model) {
  std::vector<std::string> chains;
  for (std::int32_t i = 0; i < model.RecordCount(); ++i) {
    const LineRecord& record = model.records[static_cast<std::size_t>(i)];
    if (record.dropped || record.VertexCount() < 2) continue;
    std::string text = std::to_string(i);
    text += ':';
    for (std::int32_t v = 0; v < record.VertexCount(); ++v) {
      text += ' ';
      text += record.vertices[static_cast<std::size_t>(v)].pairs.Line(1);
    }
    chains.push_back(text);
  }
  return chains;
}

std::vector<std::string> Chain(LineModel model, double tolerance) {
  ChainLines(model, tolerance);
  return Chains(model);
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Compares every field the chaining may touch, vertices to the bit.
::testing::AssertionResult SameModel(const LineModel& expected, const LineModel& actual) {
  if (expected.RecordCount() != actual.RecordCount()) return ::testing::AssertionFailure() << "record count";
  for (std::int32_t i = 0; i < expected.RecordCount(); ++i) {
    const LineRecord& a = expected.records[static_cast<std::size_t>(i)];
    const LineRecord& b = actual.records[static_cast<std::size_t>(i)];
    if (a.VertexCount() != b.VertexCount() || a.dropped != b.dropped || !(a.header == b.header) || !(a.trailer == b.trailer)) {
      return ::testing::AssertionFailure() << "record " << i << ": vertex count " << a.VertexCount() << " vs "
                                           << b.VertexCount() << ", dropped " << a.dropped << " vs "
                                           << b.dropped;
    }
    for (std::int32_t v = 0; v < a.VertexCount(); ++v) {
      const LineVertex& p = a.vertices[static_cast<std::size_t>(v)];
      const LineVertex& q = b.vertices[static_cast<std::size_t>(v)];
      if (!SameBits(p.x, q.x) || !SameBits(p.y, q.y) || !SameBits(p.z, q.z) || !(p.pairs == q.pairs)) {
        return ::testing::AssertionFailure() << "record " << i << " vertex " << v;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(LineChainingTest, JoinsHeadToTailButNeverReverses) {
  EXPECT_EQ(Chain(MakeModel({Flat(0, 0, 10, 0)}), 0.01), std::vector<std::string>{"0: 0s 0e"});
  // The second line is appended to the first, wherever it stands in the file.
  EXPECT_EQ(Chain(MakeModel({Flat(0, 0, 10, 0), Flat(10, 0, 10, 5)}), 0.01),
            std::vector<std::string>{"0: 0s 0e 1e"});
  EXPECT_EQ(Chain(MakeModel({Flat(10, 0, 10, 5), Flat(0, 0, 10, 0)}), 0.01),
            std::vector<std::string>{"1: 1s 1e 0e"});
  // End to end and start to start stay apart.
  EXPECT_EQ(Chain(MakeModel({Flat(0, 0, 10, 0), Flat(10, 5, 10, 0)}), 0.01),
            (std::vector<std::string>{"0: 0s 0e", "1: 1s 1e"}));
  EXPECT_EQ(Chain(MakeModel({Flat(10, 0, 0, 0), Flat(10, 0, 10, 5)}), 0.01),
            (std::vector<std::string>{"0: 0s 0e", "1: 1s 1e"}));
}

TEST(LineChainingTest, TheLowestIndexReceives) {
  // Three lines end where the fourth starts: the first of them takes it.
  const LineModel model = MakeModel(
      {Flat(0, 5, 5, 5), Flat(5, 5, 10, 0), Flat(0, 0, 5, 5), Flat(10, 10, 5, 5)});
  const LineModel fan = MakeModel(
      {Flat(-5, 0, 0, 0), Flat(0, 0, 5, 0), Flat(0, 5, 0, 0), Flat(0, -5, 0, 0)});
  EXPECT_EQ(Chain(model, 0.01), (std::vector<std::string>{"0: 0s 0e 1e", "2: 2s 2e", "3: 3s 3e"}));
  EXPECT_EQ(Chain(fan, 0.01), (std::vector<std::string>{"0: 0s 0e 1e", "2: 2s 2e", "3: 3s 3e"}));
}

TEST(LineChainingTest, ClosedSquareStandsAtTheLastSide) {
  // AB, BC, CD, DA: AB goes to DA, then BC and CD follow; DA meets only itself.
  LineModel square =
      MakeModel({Flat(0, 0, 1, 0), Flat(1, 0, 1, 1), Flat(1, 1, 0, 1), Flat(0, 1, 0, 0)});
  EXPECT_EQ(ChainLines(square, 0.01), 2);
  EXPECT_EQ(Chains(square), std::vector<std::string>{"3: 3s 3e 0e 1e 2e"});
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(square.records[i].dropped);
    EXPECT_EQ(square.records[i].VertexCount(), 0);
  }
  // The ring ends where it starts, and is not flagged as closed.
  EXPECT_EQ(square.records[3].vertices[4].x, 0);
  EXPECT_EQ(square.records[3].vertices[4].y, 1);
}

TEST(LineChainingTest, ToleranceIsAStrictBoxIncludingZ) {
  // Tolerance and differences are exact binary fractions.
  const double tol = 0.5;
  const double below = 0.5 - 0x1p-40;
  // Below the tolerance in every axis joins, though the distance exceeds it.
  EXPECT_EQ(Chain(MakeModel({{0, 0, 0, 8, 8, 8}, {8 + below, 8 - below, 8 + below, 9, 9, 9}}), tol)
                .size(),
            1u);
  // Exactly the tolerance in one axis does not.
  for (int axis = 0; axis < 3; ++axis) {
    Segment second{8, 8, 8, 9, 9, 9};
    (axis == 0 ? second.x0 : axis == 1 ? second.y0 : second.z0) += tol;
    EXPECT_EQ(Chain(MakeModel({{0, 0, 0, 8, 8, 8}, second}), tol).size(), 2u) << axis;
  }
  // Zero, negative and NaN tolerances join nothing, not even equal points.
  const LineModel touching = MakeModel({Flat(0, 0, 1, 0), Flat(1, 0, 2, 0)});
  for (const double none : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
    LineModel model = touching;
    EXPECT_EQ(ChainLines(model, none), 1);
    EXPECT_EQ(Chains(model).size(), 2u);
  }
}

TEST(LineChainingTest, RecordsWithFewerThanTwoVerticesTakeNoPart) {
  LineModel model = MakeModel({Flat(0, 0, 1, 0), Flat(1, 0, 2, 0), Flat(2, 0, 3, 0)});
  model.records[1].vertices.resize(1);  // a LINE without end point
  EXPECT_EQ(ChainLines(model, 0.01), 1);
  EXPECT_EQ(model.records[1].VertexCount(), 1);
  EXPECT_FALSE(model.records[1].dropped);
  EXPECT_EQ(Chains(model), (std::vector<std::string>{"0: 0s 0e", "2: 2s 2e"}));
}

TEST(LineChainingTest, ExtremeTolerancesAndCoordinates) {
  // A tolerance that takes in everything: each line goes to the lowest other.
  const std::vector<Segment> far = {Flat(1e300, 0, -1e300, 5), Flat(-1e300, 5, 1e-300, -0.0),
                                    Flat(0.0, 0, 7, 7), Flat(3, 3, 4, 4)};
  for (const double huge : {1e300, std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::infinity()}) {
    LineModel indexed = MakeModel(far);
    LineModel plain = MakeModel(far);
    EXPECT_EQ(ChainLines(indexed, huge), ReferenceChainLines(plain, huge));
    EXPECT_TRUE(SameModel(plain, indexed)) << huge;
  }
  // Negative zero meets zero; far-apart huge coordinates only meet their twins.
  EXPECT_EQ(Chain(MakeModel({Flat(5, 5, -0.0, -0.0), Flat(0.0, 0.0, 3, 3)}), 1e-9).size(), 1u);
  EXPECT_EQ(Chain(MakeModel({Flat(1e308, -1e308, -1e308, 1e308), Flat(-1e308, 1e308, 1e308, -1e308)}),
                  1e-3),
            std::vector<std::string>{"1: 1s 1e 0e"});
  const double big = 0x1p52;  // the spacing of doubles here is 1
  EXPECT_EQ(Chain(MakeModel({Flat(0, 0, big, big), Flat(big + 1, big, 1, 1)}), 0.5).size(), 2u);
  EXPECT_EQ(Chain(MakeModel({Flat(0, 0, big, big), Flat(big + 1, big, 1, 1)}), 1.5).size(), 1u);
}

TEST(LineChainingTest, TheTwoStylesNeverJoin) {
  // Both 1 (old style) and 0 (lightweight) end where 2 and 3 start; each
  // start goes to the lowest end of its own style.
  LineModel model =
      MakeModel({Flat(0, 0, 1, 0), Flat(5, 5, 1, 0), Flat(1, 0, 2, 0), Flat(1, 0, 3, 0)});
  model.records[1].kind = PolylineKind::kPolyline;
  model.records[2].kind = PolylineKind::kPolyline;
  EXPECT_EQ(Chain(model, 0.01), (std::vector<std::string>{"0: 0s 0e 3e", "1: 1s 1e 2e"}));
}

TEST(LineChainingTest, VertexCountsFollowTheChains) {
  LineModel model = MakeModel({Flat(0, 0, 1, 0), Flat(1, 0, 2, 0)});
  ChainLines(model, 0.01);
  AppendVertexCounts(model);
  EXPECT_EQ(model.records[0].header.Text(), "  0\r\nLWPOLYLINE\r\n 90\r\n3\r\n");
  EXPECT_EQ(model.records[1].header.Text(), "  0\r\nLWPOLYLINE\r\n 90\r\n0\r\n");
}

// A random soup of lines: open and closed walks cut into segments, some
// reversed, with branches, near misses at and around the tolerance, z, far
// offsets and single-vertex records, all shuffled.
std::vector<Segment> RandomSoup(std::mt19937_64& random, double tolerance, std::size_t target,
                                std::vector<int>& short_records) {
  std::uniform_real_distribution<double> unit(0, 1);
  const auto chance = [&](double p) { return unit(random) < p; };
  // Mostly a dense drawing; sometimes coordinates so large against the
  // tolerance that neighbouring doubles are only a fraction of it apart.
  const double scale = (chance(0.3) ? (chance(0.5) ? 0x1p50 : 0x1p53) : 40) * tolerance;
  const double offset = chance(0.2) ? (chance(0.5) ? 1e9 : -3e15) : 0;
  const bool flat = chance(0.6);
  // A coordinate, sometimes placed on or next to a multiple of the tolerance
  // so that points sit on cell borders.
  const auto coordinate = [&]() {
    if (chance(0.3)) {
      const double k = std::floor(unit(random) * 50 - 25);
      const double nudge = chance(0.5) ? 0.0 : std::nextafter(tolerance, 0.0) * (chance(0.5) ? 1 : -1);
      return offset + k * tolerance + nudge;
    }
    return offset + (unit(random) - 0.5) * scale;
  };
  // A point that misses `p` by an amount around the tolerance in some axes.
  const auto near = [&](double p) {
    if (!chance(0.3)) return p;
    const double gaps[] = {0.0, -0.0, tolerance * 0.999999, tolerance, tolerance * 1.000001,
                           std::nextafter(tolerance, 0.0), tolerance / 3};
    const double gap = gaps[random() % std::size(gaps)];
    return chance(0.5) ? p + gap : p - gap;
  };

  std::vector<Segment> segments;
  std::vector<std::array<double, 3>> junctions;  // points already used, for branches
  while (segments.size() < target) {
    const std::size_t length = 1 + random() % 12;
    std::vector<std::array<double, 3>> walk;
    if (!junctions.empty() && chance(0.3)) {
      walk.push_back(junctions[random() % junctions.size()]);
    } else {
      walk.push_back({coordinate(), coordinate(), flat ? 0.0 : coordinate()});
    }
    for (std::size_t k = 0; k < length; ++k) {
      walk.push_back({coordinate(), coordinate(), flat ? 0.0 : coordinate()});
    }
    if (chance(0.25)) walk.push_back(walk.front());  // a ring
    for (std::size_t k = 0; k + 1 < walk.size(); ++k) {
      const auto& a = walk[k];
      const auto& b = walk[k + 1];
      Segment s{near(a[0]), near(a[1]), near(a[2]), b[0], b[1], b[2]};
      if (chance(0.15)) s = {s.x1, s.y1, s.z1, s.x0, s.y0, s.z0};
      segments.push_back(s);
      if (chance(0.2)) segments.push_back(s);  // drawn twice
      if (chance(0.1)) junctions.push_back(b);
    }
  }
  std::shuffle(segments.begin(), segments.end(), random);
  for (std::size_t k = 0; k < segments.size(); ++k) {
    if (chance(0.02)) short_records.push_back(static_cast<int>(k));
  }
  return segments;
}

TEST(LineChainingTest, MatchesThePlainPassesOnRandomSoups) {
  std::mt19937_64 random(20240517);
  const double tolerances[] = {0.01, 1.0, 1e-9, 0.1, 2.5e-7, 1e6, 0.0, 1e-300};
  int joined_soups = 0;
  for (int round = 0; round < 240; ++round) {
    const double tolerance = tolerances[round % std::size(tolerances)];
    std::vector<int> short_records;
    const std::size_t size = round % 40 == 0 ? 1500 : 1 + random() % 300;
    const std::vector<Segment> soup = RandomSoup(random, tolerance, size, short_records);
    LineModel plain = MakeModel(soup);
    for (const int k : short_records) plain.records[static_cast<std::size_t>(k)].vertices.resize(1);
    LineModel indexed = plain;
    const int plain_passes = ReferenceChainLines(plain, tolerance);
    const int indexed_passes = ChainLines(indexed, tolerance);
    ASSERT_EQ(indexed_passes, plain_passes) << "round " << round;
    ASSERT_TRUE(SameModel(plain, indexed)) << "round " << round << ", tolerance " << tolerance;
    if (Chains(plain).size() < soup.size() - short_records.size()) ++joined_soups;
  }
  // The soups must exercise joining, not only lonely lines.
  EXPECT_GT(joined_soups, 150);
}

TEST(LineChainingTest, MatchesThePlainPassesWhereManyEndsMeet) {
  // A hub: hundreds of lines end at the origin or near it, fewer leave it,
  // in random order; then the same soup with a tolerance that takes in all.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> spread(-1, 1);
  std::vector<Segment> hub;
  for (int k = 0; k < 600; ++k) {
    const double far_x = 100 * spread(random);
    const double far_y = 100 * spread(random);
    const double near_x = k % 3 == 0 ? 0.0 : 0.004 * spread(random);
    const double near_y = k % 3 == 0 ? 0.0 : 0.004 * spread(random);
    hub.push_back(k % 5 < 3 ? Flat(far_x, far_y, near_x, near_y) : Flat(near_x, near_y, far_x, far_y));
  }
  std::shuffle(hub.begin(), hub.end(), random);
  for (const double tolerance : {0.01, 0.003, 1e9}) {
    LineModel plain = MakeModel(hub);
    LineModel indexed = plain;
    EXPECT_EQ(ChainLines(indexed, tolerance), ReferenceChainLines(plain, tolerance));
    EXPECT_TRUE(SameModel(plain, indexed)) << tolerance;
  }
}

TEST(LineChainingTest, MatchesThePlainPassesWhereEndsMoveIntoACrowdedPoint) {
  // Receivers 0 .. n-1 end at (k, 5). The records behind them start there in
  // reverse order and end at one hub point, so each receiver takes over an
  // end at the hub below every end already there: a place far down a
  // crowded cell. Every third record behind them starts at the hub instead,
  // taking the lowest end there away again.
  constexpr int n = 300;
  const double hub_x = 0.5;
  const double hub_y = 1000.5;
  std::vector<Segment> segments;
  for (int k = 0; k < n; ++k) segments.push_back(Flat(k, -5, k, 5));
  for (int m = 0, spoke = n - 1; spoke >= 0; ++m) {
    if (m % 3 == 2) {
      segments.push_back(Flat(hub_x, hub_y, m, 2000));
    } else {
      segments.push_back(Flat(spoke--, 5, hub_x, hub_y));
    }
  }
  LineModel plain = MakeModel(segments);
  LineModel indexed = plain;
  EXPECT_EQ(ChainLines(indexed, 0.01), ReferenceChainLines(plain, 0.01));
  EXPECT_TRUE(SameModel(plain, indexed));
  EXPECT_LT(Chains(plain).size(), segments.size() / 2);
}

// Contours with a tolerance far larger than the lines, which run on from
// each other with gaps, turn back, are drawn twice or reversed: every
// segment written is one LINE, from exactly its start (used backwards, its
// end) to a point nearer than the tolerance to its other end, each LINE once; a closed
// chain encloses something, and no chain lies on one point.
TEST(LineChainingTest, ContoursNeverMoveAnEndFartherThanTheTolerance) {
  std::mt19937_64 random(28);
  std::uniform_real_distribution<double> unit(0, 1);
  int closed = 0;
  for (int round = 0; round < 30; ++round) {
    const double tolerance = round % 3 == 0 ? 0.04 : 0.3;
    std::vector<Segment> soup;
    for (int k = 0; k < 200; ++k) {
      const double length = 0.001 + 0.06 * unit(random);
      const double angle = 2 * M_PI * unit(random);
      if (k > 0 && unit(random) < 0.1) {
        const Segment& twin = soup[random() % soup.size()];
        soup.push_back(unit(random) < 0.5 ? twin : Flat(twin.x1, twin.y1, twin.x0, twin.y0));
        continue;
      }
      const bool runs_on = k > 0 && unit(random) < 0.7;
      const double x = runs_on ? soup.back().x1 + 0.02 * (unit(random) - 0.5) : unit(random);
      const double y = runs_on ? soup.back().y1 + 0.02 * (unit(random) - 0.5) : unit(random);
      soup.push_back(Flat(x, y, x + length * std::cos(angle), y + length * std::sin(angle)));
    }
    std::shuffle(soup.begin(), soup.end(), random);
    LineModel model = MakeModel(soup);
    ChainLines(model, tolerance, true);
    std::vector<int> used(soup.size(), 0);
    for (const LineRecord& record : model.records) {
      if (record.dropped) continue;
      const std::vector<LineVertex>& v = record.vertices;
      ASSERT_GE(v.size(), 2u);
      const std::size_t segments = record.closed ? v.size() : v.size() - 1;
      for (std::size_t k = 0; k < segments; ++k) {
        const LineVertex& from = v[k];
        const LineVertex& to = v[(k + 1) % v.size()];
        const std::string name(from.pairs.Line(1));
        const std::size_t line = std::stoul(name);
        const Segment& s = soup[line];
        const bool forward = name.back() == 's';
        EXPECT_EQ(from.x, forward ? s.x0 : s.x1);
        EXPECT_EQ(from.y, forward ? s.y0 : s.y1);
        EXPECT_LT(std::hypot(to.x - (forward ? s.x1 : s.x0), to.y - (forward ? s.y1 : s.y0)),
                  tolerance)
            << "line " << line;
        ++used[line];
      }
      std::vector<std::pair<double, double>> points;
      for (const LineVertex& q : v) {
        if (std::find(points.begin(), points.end(), std::pair(q.x, q.y)) == points.end()) {
          points.emplace_back(q.x, q.y);
        }
      }
      EXPECT_GE(points.size(), record.closed ? 3u : 2u);
      closed += record.closed ? 1 : 0;
    }
    EXPECT_EQ(std::count(used.begin(), used.end(), 1), static_cast<long>(soup.size()));
  }
  EXPECT_GT(closed, 30);
}

TEST(LineChainingTest, MatchesThePlainPassesOnTheSampleDrawings) {
  testing::RecordingMessages messages;
  const std::vector<std::string> samples = testing::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings in " << QUILLMERE_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    LineModel read;
    Reported(ReadLines(read, sample), messages);
    for (const double tolerance : {0.01, 0.5}) {
      LineModel plain = read;
      LineModel indexed = read;
      EXPECT_EQ(ChainLines(indexed, tolerance), ReferenceChainLines(plain, tolerance)) << sample;
      EXPECT_TRUE(SameModel(plain, indexed)) << sample << ", tolerance " << tolerance;
    }
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quillmere
