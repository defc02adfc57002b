#pragma once

#include "lines/line_records.h"

namespace quillmere::testing {

// The chaining passes done the plain way: in every pass each record is
// compared with every other one, and vertices move at every join. Serves as
// the reference that the indexed ChainLines must match exactly (the same
// model and the same number of passes).
int ReferenceChainLines(LineModel& model, double tolerance);

}  // namespace quillmere::testing
