#include "curves/plan_checks.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

std::optional<bool> ExtrusionPointsDown(const SpaceVector& extrusion) {
  const double length =
      std::sqrt(extrusion.x * extrusion.x + extrusion.y * extrusion.y + extrusion.z * extrusion.z);
  if (!std::isfinite(length)) return std::nullopt;
  if (!(length > 0)) return false;
  constexpr double kRounding = 1e-9;
  if (std::fabs(extrusion.x) > kRounding * length || std::fabs(extrusion.y) > kRounding * length) {
    return std::nullopt;
  }
  return extrusion.z < 0;
}

double FlatTolerance(double scale) { return 1e-9 * std::max(1.0, scale); }

}  // namespace quillmere
