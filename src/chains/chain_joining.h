#pragma once

#include <cstdint>
#include <span>

#include "chains/chain_lists.h"
#include "chains/heading.h"
#include "chains/plane_points.h"
#include "chains/space_point.h"

namespace quillmere {

// The join group of a record that takes no part in joining.
inline constexpr std::int32_t kNoJoinGroup = -1;

// What the joining engine needs of a record: where it starts and ends, and
// its join group. A record with fewer than two vertices takes no part: its
// group is kNoJoinGroup.
struct ChainRecord {
  SpacePoint start;
  SpacePoint end;
  std::int32_t group = kNoJoinGroup;
  // Contours only: how the record leaves its start and arrives at its end,
  // and whether one of its segments is an arc between two different points.
  Heading leaving;
  Heading arriving;
  bool has_arc = false;
};

// How records join.
enum class JoinRule : std::uint8_t {
  // End to start, in passes, the lowest-numbered receiver first (below).
  kEndToStart,
  // Contours: chains grown from each record in turn, at both ends, taking
  // records in either direction (chains/contour_walk.h).
  kContours,
};

// Joins the records into chains, end to start, in passes until a pass joins
// nothing, and returns the chains as `chains` (made for as many records).
//
// A record is numbered by its index in `records`. Only records of the same
// join group join; a record whose group is kNoJoinGroup takes no part. In a
// pass every record that takes part and has not been attached, in ascending
// order, is attached behind the lowest-numbered other record of its group
// whose chain currently ends strictly inside the box of `tolerance` around
// the record's start (each of |dx|, |dy|, |dz| below the tolerance). A
// record that has received others can itself be attached later, with all it
// received. Nothing is ever reversed; a tolerance of 0 or less, or NaN,
// joins nothing in its one pass.
//
// With JoinRule::kContours the chains grow instead by the rules of
// WalkContours (chains/contour_walk.h): records used in either direction,
// the nearest end first, loops closed where they enclose something; it runs
// as one pass. `inner_points` then holds, for each record, the points of
// its vertices between its ends (empty when no record has any).
//
// The jobs apply the chains, storing each joint once: the line job drops
// the first vertex of each record linked behind another; the join job and
// contours keep it instead, since it carries the segment leaving the
// joint, and drop the last vertex of the record before it. Contours also
// use records marked reversed backwards and leave out the last vertex of a
// closed chain.
//
// Returns the number of passes run, the last one (which joined nothing)
// included.
int JoinChains(std::span<const ChainRecord> records, double tolerance, ChainLists& chains,
               JoinRule rule = JoinRule::kEndToStart,
               std::span<const PlanePoints> inner_points = {});

}  // namespace quillmere
