#pragma once

#include <memory>
#include <span>

#include "arcs/arc_search_settings.h"
#include "dxf/polyline_model.h"
#include "support/job_observer.h"

namespace quillmere {

// The arc search over a whole model, with the engine the settings choose
// (only that one is made): the sampled engine (SampledArcSearch), or with
// `settings.exact` the exact one (ExactArcSearch), which tests windows by
// their true distances and lengths and searches for the fewest segments; a
// closed outline's last arc may then run over its closing segment, its
// bulge on the last vertex kept.
//
// In every polyline that is a plain 2-D outline the search clears the mark
// kVertexDropped, then marks each arc the engine finds: kVertexDropped on
// its inner vertices, kVertexGetsBulge on its first vertex, whose bulge
// joins `model.arc_starts`. No arc holds a segment read as an arc.
//
// Polylines are independent, so they are searched in parallel by up to
// `worker_count` threads (0: one per processor core); the marks are those of
// a search one polyline after the other.
//
// `observer`, when given, sees the polylines searched and may stop the
// search (JobStopped). It is called from the calling thread only, as
// job_observer.h promises, also while other threads search.
void FindArcs(PolylineModel& model, const ArcSearchSettings& settings, unsigned worker_count = 0,
              JobObserver* observer = nullptr);

// The same search, one polyline at a time as the reader hands them over
// (PolylineVisitor, dxf/polyline_reader.h): the marks and arc starts of
// each polyline are those FindArcs gives it, and no column of every
// coordinate is built. One visitor serves one reading thread; it reports no
// progress of its own (the reading does).
std::unique_ptr<PolylineVisitor> MakeArcSearchInPassing(const ArcSearchSettings& settings);

// False for POLYLINEs whose header flags mark fitted curves, 3-D polylines
// or meshes: their vertices are no plain outline and are left as read.
bool HasPlainOutline(const PolylineRecord& polyline);

}  // namespace quillmere
