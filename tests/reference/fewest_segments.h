#pragma once

// The least count the exact mode's rules allow on one path, found plainly:
// a dynamic programme over every window of the path, each tested on its own.
// Slow on purpose (a test per window); the benchmark and the tests compare
// the exact engine's counts with it.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "arcs/arc_engine.h"

namespace quillmere::reference {

// The bulge of an arc that passes over the vertices first .. last, nothing
// when none does.
using PassingArc = std::function<std::optional<double>(std::int32_t first, std::int32_t last)>;

// The arcs of a path with the fewest segments: no window ends on a vertex
// that repeats the one before it (except a closed outline's wrapped end),
// none runs beyond `path.reach`, and each passes `passing_arc`. Among
// counts that tie, the one found first from the end wins.
std::vector<FoundArc> FewestSegments(const ArcPath& path, const PassingArc& passing_arc);

// The segments a path keeps with these arcs: each arc replaces its segments
// by one.
std::int64_t SegmentCount(const ArcPath& path, const std::vector<FoundArc>& arcs);

// The window test of the exact mode, with its search for the best arc
// (ExactWindowCheck), for `path` at `deviation`.
PassingArc ExactPassingArc(const ArcPath& path, double deviation);

// A plainer search for the same arcs: the exact mode's measurement of the
// arc through the middle vertex and of `tries` arcs on either side spread
// evenly over the sweeps that the length rule allows.
PassingArc ScannedPassingArc(const ArcPath& path, double deviation, int tries);

}  // namespace quillmere::reference
