#pragma once

#include <span>

#include "chains/chain_joining.h"
#include "chains/chain_lists.h"

namespace quillmere {

// The contour rule of JoinChains (JoinRule::kContours): each record that
// takes part and is not yet in a chain, in ascending order, starts a chain
// that grows at its end and then, unless it came back to its start, at its
// start, one record at a time, until no record fits.
//
// A record fits where one of its ends lies strictly inside the box of
// `tolerance` around the chain's end (same join group); it is used from
// that end on, so backwards when it is its end. Among the records that fit
// the nearest end wins, then the one that turns least from the chain's last
// direction, then the lowest record, its start before its end. A record
// that runs straight back along the chain's last segment never fits. Coming
// back to the chain's own start competes by the same rules, in front of
// every record: the chain is then closed.
//
// A chain closes only where it would enclose something: written closed, it
// keeps the vertex where it enters each record and those between each
// record's ends (`inner_points`, one entry per record, or empty when no
// record has any), and these must lie at three different points, or at two
// with an arc between them. A chain whose ends meet around nothing (a
// record shorter than the tolerance, a record and its twin) stays open.
//
// The chains are written to `chains` (made for as many records): each in
// order from its head, records used backwards marked reversed, closed
// chains marked closed. `extent` is the largest magnitude of any finite
// coordinate of the records that take part.
void WalkContours(std::span<const ChainRecord> records,
                  std::span<const PlanePoints> inner_points, double tolerance, double extent,
                  ChainLists& chains);

}  // namespace quillmere
