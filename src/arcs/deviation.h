#pragma once

#include "arcs/arc_rounding.h"

namespace quillmere {

// The maximum deviation of an arc job: how far a polyline and the arc that
// replaces it may lie apart. The checks of a search share one object, given
// to them when they are made, and hold every computed distance against it
// here.
class Deviation {
 public:
  explicit Deviation(double value) : value_(value) {}

  double Value() const { return value_; }

  // True when `distance`, as computed, lies closer than the deviation: the
  // sampled test's own comparison of a test point with a point or a segment.
  bool Closer(double distance) const { return distance < value_; }

  // True when `bound`, an upper bound of distances that allows for the
  // rounding of their computation already, lies below the deviation by more
  // than the comparison itself can round.
  bool ProvenCloser(double bound) const { return bound + value_ * kRelativeSlack < value_; }

  // The largest distance that passes the exact test where the numbers
  // involved are about `scale` in size: a distance equal to the deviation,
  // up to what rounding can account for, fails.
  double StrictLimit(double scale) const {
    return value_ - kRelativeSlack * value_ - kScaleSlack * scale;
  }

 private:
  double value_;
};

}  // namespace quillmere
