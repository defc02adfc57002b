#include "app/gui/preview/drawing_painter.h"

#include <vector>

namespace quillmere {

namespace {

std::vector<QPointF> ToQPoints(const std::vector<view::ViewPoint>& points) {
  std::vector<QPointF> converted;
  converted.reserve(points.size());
  for (const view::ViewPoint& point : points) converted.emplace_back(point.x, point.y);
  return converted;
}

class QtPreviewPainter : public PreviewPainter {
 public:
  QtPreviewPainter(QPainter& painter, QSizeF size) : painter_(painter), size_(size) {
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

  void Path(const std::vector<view::ViewPoint>& points) override {
    const std::vector<QPointF> path = ToQPoints(points);
    painter_.drawPolyline(path.data(), static_cast<int>(path.size()));
  }

  void Dots(const std::vector<view::ViewPoint>& points) override {
    const std::vector<QPointF> dots = ToQPoints(points);
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
