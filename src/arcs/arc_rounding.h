#pragma once

// The allowances both arc engines keep over the rounding of floating-point
// arithmetic. A proof or a strict comparison keeps them as margins, so that a
// decision never hangs on the last bits of a computation.

namespace quillmere {

// Relative rounding of a handful of operations: far above their real
// relative error (a few times 1.1e-16), far below anything that could change
// a decision that is not already on a knife's edge.
inline constexpr double kRelativeSlack = 1e-9;

// Rounding in proportion to the size of the coordinates involved, for
// distances computed from differences of coordinates (to a segment, to an
// arc's centre).
inline constexpr double kScaleSlack = 1e-14;

// Rounding of angles, in radians: atan2 results, angle differences and the
// angles of points put together from them are all within 1e-14 of their
// exact values.
inline constexpr double kAngleSlack = 1e-12;

}  // namespace quillmere
