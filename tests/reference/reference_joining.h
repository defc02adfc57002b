#pragma once

#include "plain_polylines.h"

namespace quillmere::testing {

// The join passes written out plainly: every polyline against every
// receiver, pass after pass, vertices copied one by one. Slow on large
// drawings, but obviously right; the production code must leave exactly the
// chains this leaves.
void ReferenceJoinPolylines(PlainModel& model, double tolerance);

}  // namespace quillmere::testing
