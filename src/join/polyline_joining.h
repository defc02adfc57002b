#pragma once

#include "dxf/polyline_model.h"

namespace quillmere {

// The join passes of the joining engine (chains/chain_joining.h): attaches
// every polyline whose first vertex lies within `tolerance` (on each axis,
// strictly) of the last vertex of another to the lowest-numbered such
// receiver, pass after pass until a pass joins nothing. An attached polyline
// gives its vertices from the second on to the receiver and is left with
// none and marked `dropped`. A vertex of a receiver whose lines end with a
// code line without its value line gets an empty value line.
//
// Polylines join only their own kind: LWPOLYLINE with LWPOLYLINE, POLYLINE
// with POLYLINE of the same dimension (3-D flag). Closed outlines, fitted
// curves and meshes neither attach nor receive. A tolerance of 0 or less
// joins nothing.
void JoinPolylines(PolylineModel& model, double tolerance);

// Writes each polyline's vertex count into the value of every group-90 pair
// of its header and marks every polyline with fewer than two vertices
// `dropped`, so that the writer leaves it out.
void UpdateCountsAndDropShortPolylines(PolylineModel& model);

}  // namespace quillmere
