#pragma once

#include <cmath>

namespace quillmere {

// The angle from `from` to `to` in -pi .. pi, the short way round.
inline double AngleBetween(double from, double to) {
  double turn = to - from;
  if (turn > M_PI) turn -= 2 * M_PI;
  if (turn < -M_PI) turn += 2 * M_PI;
  return turn;
}

}  // namespace quillmere
