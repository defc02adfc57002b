#include "app/gui/preview/drawing_painter.h"

#include <algorithm>
#include <cmath>

#include "app/gui/preview/screen_polyline.h"

namespace quillmere {

namespace {

// Screen position of a point relative to a drawing's origin: x * scale +
// offset_x, offset_y - y * scale.
struct ScreenMap {
  ScreenMap(double origin_x, double origin_y, const ViewTransform& view, QSizeF size)
      : scale(view.scale),
        offset_x((origin_x - view.centre_x) * view.scale + size.width() / 2),
        offset_y(size.height() / 2 - (origin_y - view.centre_y) * view.scale) {}

  QPointF operator()(const FlatPoint& p) const { return {p.x * scale + offset_x, offset_y - p.y * scale}; }

  // Whether the piece's bounds, widened by `margin` pixels, meet the view.
  bool Meets(const FlatBounds& b, QSizeF size, double margin) const {
    return b.max_x * scale + offset_x >= -margin && b.min_x * scale + offset_x <= size.width() + margin &&
           offset_y - b.min_y * scale >= -margin && offset_y - b.max_y * scale <= size.height() + margin;
  }
  QRectF OnScreen(const FlatBounds& b) const {
    return QRectF(QPointF(b.min_x * scale + offset_x, offset_y - b.max_y * scale),
                  QPointF(b.max_x * scale + offset_x, offset_y - b.min_y * scale));
  }
  bool BelowOnePixel(const FlatBounds& b) const {
    return (static_cast<double>(b.max_x) - b.min_x) * scale < 1 &&
           (static_cast<double>(b.max_y) - b.min_y) * scale < 1;
  }

  double scale;
  double offset_x;
  double offset_y;
};

constexpr double kMarkSize = kRemovedMarkSize;
constexpr int kMarkCell = kRemovedMarkCell;  // one mark at most in each square of this many pixels

}  // namespace

QColor StrokeColour(Stroke stroke) { return ToQColor(StrokeRgb(stroke)); }

void PaintDrawing(QPainter& painter, const FlatDrawing& drawing, const ViewTransform& view,
                  QSizeF size) {
  const ScreenMap map(drawing.origin_x, drawing.origin_y, view, size);
  ScreenPolyline polyline(painter, size);
  std::vector<QPointF> dots;
  for (const Stroke stroke : kStrokePaintOrder) {
    const double width = StrokeWidth(stroke);
    // Widths in pixels, whatever the painter is set to.
    QPen pen(StrokeColour(stroke), width);
    pen.setCosmetic(true);
    painter.setPen(pen);
    dots.clear();
    for (const FlatPiece& piece : drawing.pieces) {
      if (piece.stroke != stroke || !map.Meets(piece.bounds, size, width)) continue;
      const FlatPoint* points = drawing.points.data() + piece.first;
      if (map.BelowOnePixel(piece.bounds)) {
        dots.push_back(map(points[0]));
        continue;
      }
      if (polyline.Holds(map.OnScreen(piece.bounds))) {
        for (std::uint32_t i = 0; i < piece.count; ++i) polyline.AddInside(map(points[i]));
      } else {
        for (std::uint32_t i = 0; i < piece.count; ++i) polyline.Add(map(points[i]));
      }
      polyline.Finish();
    }
    if (!dots.empty()) painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
  }
}

void PaintMarks(QPainter& painter, const std::vector<FlatPoint>& points, double origin_x,
                double origin_y, const ViewTransform& view, QSizeF size, MarkShape shape,
                const QColor& colour) {
  const ScreenMap map(origin_x, origin_y, view, size);
  const int columns = static_cast<int>(size.width()) / kMarkCell + 1;
  const int rows = static_cast<int>(size.height()) / kMarkCell + 1;
  std::vector<bool> taken(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  std::vector<QRectF> marks;
  for (const FlatPoint& point : points) {
    const QPointF p = map(point);
    if (!(p.x() >= 0 && p.x() < size.width() && p.y() >= 0 && p.y() < size.height())) continue;
    const std::size_t cell = static_cast<std::size_t>(p.y() / kMarkCell) * static_cast<std::size_t>(columns) +
                             static_cast<std::size_t>(p.x() / kMarkCell);
    if (taken[cell]) continue;
    taken[cell] = true;
    marks.emplace_back(p.x() - kMarkSize / 2, p.y() - kMarkSize / 2, kMarkSize, kMarkSize);
  }
  if (marks.empty()) return;
  if (shape == MarkShape::kSquare) {
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRects(marks.data(), static_cast<int>(marks.size()));
    return;
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  for (const QRectF& mark : marks) painter.drawEllipse(mark);
  painter.setBrush(Qt::NoBrush);
}

void PaintPreview(QPainter& painter, const PreviewContent& content, bool show_output,
                  bool show_removed_vertices, const ViewTransform& view, QSizeF size) {
  painter.fillRect(QRectF(QPointF(0, 0), size), kPreviewBackground);
  painter.setRenderHint(QPainter::Antialiasing);
  // The marks lie under the drawing, so that the arcs stay visible.
  if (show_removed_vertices && !content.removed_vertices.empty()) {
    PaintMarks(painter, content.removed_vertices, content.output.origin_x, content.output.origin_y,
               view, size, MarkShape::kSquare, kRemovedVertexColour);
  }
  const bool output = show_output && content.job.has_value();
  PaintDrawing(painter, output ? content.output : content.input, view, size);
  if (output && !content.polyline_ends.empty()) {
    PaintMarks(painter, content.polyline_ends, content.output.origin_x, content.output.origin_y,
               view, size, MarkShape::kDot, kPolylineEndColour);
  }
}

}  // namespace quillmere
