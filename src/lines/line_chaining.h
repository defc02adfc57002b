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
int ChainLines(LineModel& model, double tolerance);

// Appends the pair " 90" / vertex count to the entity lines of every record
// in the lightweight style: the vertex count that an LWPOLYLINE carries in
// front of its vertices.
void AppendVertexCounts(LineModel& model);

}  // namespace quillmere
