#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "dxf/polyline_model.h"

namespace quillmere {

// The join group of a record that takes no part in joining.
inline constexpr std::int32_t kNoJoinGroup = -1;

// What a job does to a record that received others, once all their
// vertices have moved to it.
using ReceiverFinish = std::function<void(Polyline& receiver)>;

// Joins the records of `model` into chains, end to start, in passes until a
// pass joins nothing.
//
// A record is numbered by its index in `model.polylines`. `groups` gives
// each record's join group, and only records of the same group join; a
// record whose group is kNoJoinGroup (or missing) takes no part, nor does
// one with fewer than two vertices. In a pass every record that takes part
// and has not been attached, in ascending order, is attached behind the
// lowest-numbered other record of its group whose current last vertex lies
// strictly inside the box of `tolerance` around the record's first vertex
// (each of |dx|, |dy|, |dz| below the tolerance). A record that has received
// others can itself be attached later, with all it received. Nothing is
// ever reversed; a tolerance of 0 or less, or NaN, joins nothing in its one
// pass.
//
// When the passes are over, the vertices of every attached record, from its
// second on, follow those of its receiver (the joint is stored once), and
// the attached record is left without vertices and marked `dropped`. Then
// `finish_receiver`, when given, sees each receiver in ascending order.
//
// Returns the number of passes run, the last one (which joined nothing)
// included.
int JoinChains(PolylineModel& model, double tolerance, std::span<const std::int32_t> groups,
               const ReceiverFinish& finish_receiver = {});

}  // namespace quillmere
