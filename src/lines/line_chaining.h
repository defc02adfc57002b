#pragma once

#include "dxf/polyline_model.h"

namespace quillmere {

// Joins the records of `model` into chains, end to start.
//
// Passes run until one joins nothing. In a pass every record i with at least
// two vertices, in ascending order, is appended to the lowest-numbered other
// record j with at least two vertices whose current last vertex lies within
// `tolerance` of i's first vertex in x, in y and in z (strictly less). The
// vertices of i from its second on move to the end of j, with their lines;
// i is then consumed (`anzp` 0, `dropped` set) and takes no further part. A
// record that has received others can itself be appended later. Nothing is
// ever reversed; a tolerance of 0 or less joins nothing. Records of the two
// output styles (a drawing whose version changes half way) never join.
//
// The result is that of comparing every chain with every other in each pass;
// a spatial index over the chain ends finds the same partners without the
// quadratic cost. Returns the number of passes run, the last one included.
int ChainLines(PolylineModel& model, double tolerance);

// Appends the pair " 90" / vertex count to the entity lines of every record
// in the lightweight style: the vertex count that an LWPOLYLINE carries in
// front of its vertices.
void AppendVertexCounts(PolylineModel& model);

}  // namespace quillmere
