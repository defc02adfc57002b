#include "preview/screen_path.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

namespace {

constexpr double kFrameMargin = 64;  // pixels beyond the view: room for wide pens
constexpr double kSamePixel = 0.5;

// Cuts the segment from `a` to `b` to the part inside `frame` (Liang and
// Barsky's method); false when no part is inside.
bool CutToFrame(view::ViewPoint& a, view::ViewPoint& b, const ScreenBox& frame) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - frame.left, frame.right - a.x, a.y - frame.top, frame.bottom - a.y};
  double enter = 0;
  double leave = 1;
  for (int side = 0; side < 4; ++side) {
    if (p[side] == 0) {
      if (q[side] < 0) return false;
      continue;
    }
    const double t = q[side] / p[side];
    if (p[side] < 0) {
      if (t > leave) return false;
      enter = std::max(enter, t);
    } else {
      if (t < enter) return false;
      leave = std::min(leave, t);
    }
  }
  const view::ViewPoint start = a;
  a = {start.x + enter * dx, start.y + enter * dy};
  b = {start.x + leave * dx, start.y + leave * dy};
  return true;
}

bool Inside(const ScreenBox& frame, view::ViewPoint point) {
  return point.x >= frame.left && point.x <= frame.right && point.y >= frame.top &&
         point.y <= frame.bottom;
}

}  // namespace

ScreenPath::ScreenPath(PreviewPainter& painter, view::ViewSize view)
    : painter_(painter),
      frame_{-kFrameMargin, -kFrameMargin, view.width + kFrameMargin, view.height + kFrameMargin} {}

void ScreenPath::Add(view::ViewPoint point) {
  if (!has_previous_) {
    previous_ = point;
    has_previous_ = true;
    if (Inside(frame_, point)) Keep(point);
    return;
  }
  view::ViewPoint start = previous_;
  view::ViewPoint end = point;
  previous_ = point;
  const bool start_inside = Inside(frame_, start);
  const bool end_inside = Inside(frame_, end);
  if (start_inside && end_inside) {
    Keep(end);
    return;
  }
  if (!CutToFrame(start, end, frame_)) {
    Paint();
    return;
  }
  if (!start_inside) {
    Paint();
    Keep(start);
  }
  Keep(end);
  if (!end_inside) Paint();
}

void ScreenPath::Finish() {
  Paint();
  has_previous_ = false;
}

void ScreenPath::Keep(view::ViewPoint point) {
  if (!run_.empty() && std::fabs(point.x - run_.back().x) < kSamePixel &&
      std::fabs(point.y - run_.back().y) < kSamePixel) {
    passed_over_ = point;
    has_passed_over_ = true;
    return;
  }
  run_.push_back(point);
  has_passed_over_ = false;
}

void ScreenPath::Paint() {
  if (has_passed_over_) run_.push_back(passed_over_);
  has_passed_over_ = false;
  if (run_.size() >= 2) {
    painter_.Path(run_);
  } else if (run_.size() == 1) {
    painter_.Dots(run_);
  }
  run_.clear();
}

}  // namespace quillmere
