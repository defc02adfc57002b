#include "app/gui/preview/drawing_painter.h"

#include <vector>

#include "app/gui/preview/screen_polyline.h"

namespace quillmere {

namespace {

QPointF ToQPoint(view::ViewPoint point) { return {point.x, point.y}; }

// Paths go through ScreenPolyline, which drops points within half a pixel
// and cuts what lies far outside the view; dots go to the painter at once.
class QtPreviewPainter : public PreviewPainter {
 public:
  QtPreviewPainter(QPainter& painter, QSizeF size) : painter_(painter), size_(size), polyline_(painter, size) {
    painter_.setRenderHint(QPainter::Antialiasing);
  }

  void Ground(PreviewRgb colour) override {
    painter_.fillRect(QRectF(QPointF(0, 0), size_), ToQColor(colour));
  }

  void BeginStroke(Stroke stroke) override {
    QPen pen(StrokeColour(stroke), StrokeWidth(stroke));
    pen.setCosmetic(true);
    painter_.setPen(pen);
  }

  void Path(const std::vector<view::ViewPoint>& points, const ScreenBox& box) override {
    if (polyline_.Holds(QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)))) {
      for (const view::ViewPoint& point : points) polyline_.AddInside(ToQPoint(point));
    } else {
      for (const view::ViewPoint& point : points) polyline_.Add(ToQPoint(point));
    }
    polyline_.Finish();
  }

  void Dots(const std::vector<view::ViewPoint>& points) override {
    std::vector<QPointF> dots;
    dots.reserve(points.size());
    for (const view::ViewPoint& point : points) dots.push_back(ToQPoint(point));
    painter_.drawPoints(dots.data(), static_cast<int>(dots.size()));
  }

  void Marks(MarkShape shape, PreviewRgb colour, const std::vector<view::ViewPoint>& at) override {
    constexpr double kSize = kRemovedMarkSize;
    std::vector<QRectF> marks;
    for (const view::ViewPoint& p : at) marks.emplace_back(p.x - kSize / 2, p.y - kSize / 2, kSize, kSize);
    if (shape == MarkShape::kSquare) {
      painter_.setPen(QPen(ToQColor(colour), 1));
      painter_.setBrush(Qt::NoBrush);
      painter_.drawRects(marks.data(), static_cast<int>(marks.size()));
      return;
    }
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(colour));
    for (const QRectF& mark : marks) painter_.drawEllipse(mark);
    painter_.setBrush(Qt::NoBrush);
  }

 private:
  QPainter& painter_;
  QSizeF size_;
  ScreenPolyline polyline_;
};

}  // namespace

void PaintPreview(QPainter& painter, const PreviewView& shown, QSizeF size) {
  QtPreviewPainter preview_painter(painter, size);
  quillmere::PaintPreview(shown, {size.width(), size.height()}, 1, preview_painter);
}

QPixmap LegendSwatchPixmap(const LegendSwatch& swatch) {
  QPixmap pixmap(static_cast<int>(kSwatchDesignSize.width), static_cast<int>(kSwatchDesignSize.height));
  QPainter painter(&pixmap);
  QtPreviewPainter preview_painter(painter, pixmap.size());
  PaintLegendSwatch(swatch, kSwatchDesignSize, 1, preview_painter);
  return pixmap;
}

}  // namespace quillmere
