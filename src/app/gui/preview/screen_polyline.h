#pragma once

#include <vector>

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace quillmere {

// Paints a path given point by point in screen coordinates, with as few
// points as the screen can tell apart: a point within half a pixel of the
// last one kept is passed over (the path's last point is always kept), and
// segments are cut at a frame a little larger than the view, so that a
// deeply zoomed path never hands the painter coordinates far beyond it.
class ScreenPolyline {
 public:
  ScreenPolyline(QPainter& painter, QSizeF view);

  // Whether a rectangle of screen points lies wholly inside the frame: its
  // points may then be given to AddInside, which skips the cutting.
  bool Holds(const QRectF& area) const { return frame_.contains(area); }

  // The next point of the path.
  void Add(QPointF point);
  // The next point, known to lie inside the frame, as is the one before.
  void AddInside(QPointF point) {
    Keep(point);
    previous_ = point;
    has_previous_ = true;
  }
  // Ends the path and paints what is left of it.
  void Finish();

 private:
  void Keep(QPointF point);
  void Paint();

  QPainter& painter_;
  QRectF frame_;
  std::vector<QPointF> run_;  // the points kept of the piece inside the frame
  QPointF previous_;
  bool has_previous_ = false;
  QPointF passed_over_;  // the latest point passed over since the last kept
  bool has_passed_over_ = false;
};

}  // namespace quillmere
