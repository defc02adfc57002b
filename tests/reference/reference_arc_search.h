#pragma once

// A straightforward arc search: the window test compares every line test
// point with the arc test points one by one, computing each arc test point
// anew, exactly as the search is defined. It is slow on purpose; the tests
// and the benchmark compare the production search with it.

#include <cstdint>
#include <functional>

#include "arcs/arc_search_settings.h"
#include "arcs/arc_through_points.h"
#include "dxf/polyline_model.h"
#include "plain_polylines.h"

namespace quillmere::reference {

using testing::PlainModel;
using testing::PlainPolyline;
using testing::PlainVertex;

// The window test for the vertices [s, e] of `polyline`.
bool WindowPasses(const PlainPolyline& polyline, std::int32_t s, std::int32_t e,
                  const ArcSearchSettings& settings);

// The smallest deviation above which the window [s, e] passes (NaN when it
// has no arc): the largest distance from a line test point to its nearest
// arc test point, or from an arc test point to its nearest segment. The
// window passes exactly for deviations greater than this.
double CriticalDeviation(const PlainPolyline& polyline, std::int32_t s, std::int32_t e,
                         const ArcSearchSettings& settings);

// A window test, so that the search can run with another one.
using WindowTest =
    std::function<bool(const PlainPolyline& polyline, std::int32_t s, std::int32_t e)>;

// The work a search did: window tests, and segments in them.
struct SearchCounts {
  std::int64_t window_tests = 0;
  std::int64_t segment_tests = 0;
};

// The search on one polyline, with `window_test` (the straightforward one
// when empty). Adds its work to `counts` when given.
void SearchPolyline(PlainPolyline& polyline, const ArcSearchSettings& settings,
                    const WindowTest& window_test = {}, SearchCounts* counts = nullptr);

// The search on every polyline of the model, one after the other.
void FindArcs(PlainModel& model, const ArcSearchSettings& settings,
              const WindowTest& window_test = {}, SearchCounts* counts = nullptr);

}  // namespace quillmere::reference
