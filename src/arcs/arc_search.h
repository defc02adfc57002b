#pragma once

#include "arcs/arc_search_settings.h"
#include "arcs/arc_through_points.h"
#include "dxf/polyline_model.h"

namespace quillmere {

// The arc search over a whole model. In every polyline that is a plain 2-D
// outline it clears `delit`, then grows windows of vertices from each start
// vertex while they pass the window test (ArcWindowTest) and marks the
// longest window that passed as one arc: `delit` on its inner vertices,
// `writebulge` and `bulge` on its first vertex. The search goes on at the
// last vertex of an arc, or one vertex further when no window passed.
//
// Polylines are independent, so they are searched in parallel by up to
// `worker_count` threads (0: one per processor core); the marks are those of
// a search one polyline after the other, and `arc` is left holding the arc
// that such a search would have computed last.
void ArcSearch(PolylineModel& model, const ArcSearchSettings& settings, ArcFields& arc,
               unsigned worker_count = 0);

// The same, for callers that do not need the last arc.
void ArcSearch(PolylineModel& model, const ArcSearchSettings& settings);

// False for POLYLINEs whose header flags mark fitted curves, 3-D polylines
// or meshes: their vertices are no plain outline and are left as read.
bool HasPlainOutline(const tpoly& polyline);

}  // namespace quillmere
