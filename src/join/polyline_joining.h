#pragma once

#include <cstdint>
#include <span>

#include "dxf/polyline_model.h"
#include "join/piece_ends.h"

namespace quillmere {

// The join passes of the joining engine (chains/chain_joining.h): attaches
// every polyline whose first vertex lies within `tolerance` (on each axis,
// strictly) of the last vertex of another to the lowest-numbered such
// receiver, pass after pass until a pass joins nothing. The chains are kept
// in the records (`next_in_chain`): the vertices of an attached polyline
// follow those of the polyline before it in its chain, in place of that
// one's last vertex, and the attached polyline is marked `dropped`.
//
// Polylines join only their own kind: LWPOLYLINE with LWPOLYLINE, POLYLINE
// with POLYLINE of the same dimension (3-D flag). Closed outlines, fitted
// curves and meshes neither attach nor receive, nor do polylines with fewer
// than two vertices. A tolerance of 0 or less joins nothing.
//
// Given the ends of every polyline (`contours`, as ReadPieceEnds reads
// them), the engine's contour rule joins them instead (JoinRule::kContours),
// each layer on its own: polylines are marked `reversed_in_chain` where
// they are used backwards, and the head of a chain back at its start (a
// single polyline too) `closes_chain` where the chain encloses something.
void JoinPolylines(PolylineModel& model, double tolerance,
                   std::span<const PieceEnds> contours = {});

// The vertices a polyline is written with: its own and those of the
// polylines in its chain, each joint once; a closed contour without the
// repeat of its first vertex.
std::int64_t JoinedVertexCount(const PolylineModel& model, const PolylineRecord& polyline);

// Marks every polyline written with fewer than two vertices `dropped`, so
// that the writer leaves it out.
void DropShortPolylines(PolylineModel& model);

}  // namespace quillmere
