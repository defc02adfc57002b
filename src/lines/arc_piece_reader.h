#pragma once

#include "dxf/pair_stream.h"
#include "lines/line_records.h"

namespace quillmere {

// Reads the body of the ARC entity that `start` began into a new record of
// `model`: a piece of two vertices, the arc's start and end point, the
// first carrying the arc as its bulge (the tangent of a quarter of the
// sweep). An arc drawn with the extrusion (0, 0, -1) is mirrored in x (and
// z), as a CAD program shows it, and its bulge negated. The record's entity
// lines are the ARC's own pairs without its centre, radius, angles and
// extrusion, the subclass AcDbCircle becoming AcDbPolyline and AcDbArc
// left out; in the lightweight style extended data goes to the closing
// lines, as for a LINE.
//
// An ARC with another extrusion, without a radius above 0 or both angles,
// or with equal angles is kept as read: a record without vertices that
// takes no part in joining. The (0, ...) pair that ends the body is put
// back.
void ReadArcEntity(const DxfPair& start, PairStream& input, LineModel& model);

}  // namespace quillmere
