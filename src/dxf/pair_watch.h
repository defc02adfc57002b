#pragma once

#include <cstdint>

#include "dxf/pair_stream.h"

namespace quillmere {

// Sees every pair of a drawing, in file order, as the polyline reader's pass
// reads it: for a job that needs more of the drawing than its polylines
// (the arc job's curves, its header's version and handles), so that the
// file is still read once.
class PairWatch {
 public:
  virtual ~PairWatch() = default;

  // The next pair of the file.
  virtual void Take(const PairView& pair) = 0;
  // The pass ended at byte `end`, the end of the file.
  virtual void Finish(std::int64_t end) = 0;
};

}  // namespace quillmere
