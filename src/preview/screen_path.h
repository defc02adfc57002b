#pragma once

#include <vector>

#include "preview/preview_painter.h"

namespace quillmere {

// Hands a path given point by point in screen coordinates to a painter with
// as few points as the screen can tell apart: a point within half a pixel of
// the last one kept is passed over (the path's last point is always kept),
// and segments are cut at a frame a little larger than the view, so that a
// deeply zoomed path never hands the toolkit coordinates far beyond it.
class ScreenPath {
 public:
  ScreenPath(PreviewPainter& painter, view::ViewSize view);

  // Whether a rectangle of screen points lies wholly inside the frame: its
  // points may then be given to AddInside, which skips the cutting.
  bool Holds(const ScreenBox& area) const {
    return area.left >= frame_.left && area.right <= frame_.right && area.top >= frame_.top &&
           area.bottom <= frame_.bottom;
  }

  // The next point of the path.
  void Add(view::ViewPoint point);
  // The next point, known to lie inside the frame, as is the one before.
  void AddInside(view::ViewPoint point) {
    Keep(point);
    previous_ = point;
    has_previous_ = true;
  }
  // Ends the path and paints what is left of it.
  void Finish();

 private:
  void Keep(view::ViewPoint point);
  void Paint();

  PreviewPainter& painter_;
  ScreenBox frame_;
  std::vector<view::ViewPoint> run_;  // the points kept of the piece inside the frame
  view::ViewPoint previous_;
  bool has_previous_ = false;
  view::ViewPoint passed_over_;  // the latest point passed over since the last kept
  bool has_passed_over_ = false;
};

}  // namespace quillmere
