#pragma once

#include "lines/line_records.h"

namespace quillmere {

// Joins the lines of `model` into chains, end to start, with the joining
// engine (chains/chain_joining.h tells the passes), and applies the chains:
// the vertices of every record linked behind another, from its second on,
// move to the end of its chain's head, and the record is left without
// vertices and marked `dropped`. Every record with at least two vertices
// takes part; records of the two output styles (a drawing whose version
// changes half way) never join. Returns the number of passes run, the last
// one included: 1 when nothing joins.
//
// With `contours` the engine's contour rule joins the records instead
// (JoinRule::kContours), each layer on its own: pieces are used backwards
// where needed (vertices reversed, bulges moved and negated), at a joint
// the later piece's first vertex stays, a chain back at its start that
// encloses something is marked `closed` without its last vertex, and an ARC
// that joins nothing is kept as read. Vertices with a bulge get their group-42 pair.
int ChainLines(LineModel& model, double tolerance, bool contours = false);

// Appends the pair " 90" / vertex count to the entity lines of every record
// in the lightweight style: the vertex count that an LWPOLYLINE carries in
// front of its vertices. A closed record gets the flag " 70" / 1 behind it,
// or in the old style at the end of its own pairs, in front of extended
// data.
void AppendVertexCounts(LineModel& model);

}  // namespace quillmere
