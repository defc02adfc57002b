#include "preview/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace quillmere::view {

namespace {
constexpr double kFitMargin = 0.94;  // of the view the drawing takes up
// Limits that keep single-precision points and the scale meaningful.
constexpr double kSmallestScale = 1e-12;
constexpr double kLargestScale = 1e12;
constexpr double kZoomPerWheelNotch = 1.2;
constexpr double kWheelNotch = 120;
}  // namespace

void WorldBounds::Include(const FlatDrawing& drawing) {
  if (drawing.pieces.empty()) return;
  min_x = std::min(min_x, drawing.origin_x + drawing.bounds.min_x);
  min_y = std::min(min_y, drawing.origin_y + drawing.bounds.min_y);
  max_x = std::max(max_x, drawing.origin_x + drawing.bounds.max_x);
  max_y = std::max(max_y, drawing.origin_y + drawing.bounds.max_y);
}

ViewTransform FittingView(const WorldBounds& bounds, ViewSize size) {
  ViewTransform view;
  if (bounds.Empty()) return view;
  view.centre_x = bounds.min_x / 2 + bounds.max_x / 2;
  view.centre_y = bounds.min_y / 2 + bounds.max_y / 2;
  const double width = bounds.max_x - bounds.min_x;
  const double height = bounds.max_y - bounds.min_y;
  double scale = INFINITY;
  if (width > 0) scale = std::min(scale, size.width * kFitMargin / width);
  if (height > 0) scale = std::min(scale, size.height * kFitMargin / height);
  view.scale = std::isfinite(scale) && scale > 0 ? std::clamp(scale, kSmallestScale, kLargestScale) : 1;
  return view;
}

ViewTransform ZoomedView(const ViewTransform& view, double factor, ViewPoint anchor, ViewSize size) {
  const ViewPoint fixed = view.ToWorld(anchor, size);
  ViewTransform zoomed = view;
  zoomed.scale = std::clamp(view.scale * factor, kSmallestScale, kLargestScale);
  const double kept = view.scale / zoomed.scale;
  zoomed.centre_x = fixed.x + (view.centre_x - fixed.x) * kept;
  zoomed.centre_y = fixed.y + (view.centre_y - fixed.y) * kept;
  return zoomed;
}

ViewTransform PannedView(const ViewTransform& view, ViewPoint offset) {
  ViewTransform panned = view;
  panned.centre_x -= offset.x / view.scale;
  panned.centre_y += offset.y / view.scale;
  return panned;
}

double WheelZoomFactor(int wheel_units) {
  return std::pow(kZoomPerWheelNotch, wheel_units / kWheelNotch);
}

}  // namespace quillmere::view
