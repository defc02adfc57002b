#include "preview/entity_paths.h"

#include <cmath>
#include <numbers>

namespace quillmere {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;

void AppendSweep(std::vector<PathVertex>& path, double centre_x, double centre_y, double radius,
                 double start_degrees, double sweep_degrees) {
  const int segments = static_cast<int>(std::ceil(sweep_degrees / 90));
  const double step = sweep_degrees / segments;
  const double bulge = std::tan(step * kRadiansPerDegree / 4);
  for (int i = 0; i <= segments; ++i) {
    const double angle = (start_degrees + i * step) * kRadiansPerDegree;
    path.push_back({centre_x + radius * std::cos(angle), centre_y + radius * std::sin(angle),
                    i < segments ? bulge : 0});
  }
}

}  // namespace

void AppendArcPath(std::vector<PathVertex>& path, double centre_x, double centre_y,
                   double radius, double start_degrees, double end_degrees) {
  if (start_degrees == end_degrees) return;
  double sweep = std::fmod(end_degrees - start_degrees, 360.0);
  if (sweep <= 0) sweep += 360;
  if (!std::isfinite(sweep)) return;
  AppendSweep(path, centre_x, centre_y, radius, start_degrees, sweep);
}

void AppendCirclePath(std::vector<PathVertex>& path, double centre_x, double centre_y,
                      double radius) {
  AppendSweep(path, centre_x, centre_y, radius, 0, 360);
}

}  // namespace quillmere
