#include "app/gui/preview/drawing_painter.h"

#include <algorithm>
#include <cmath>

#include "app/gui/preview/screen_polyline.h"
#include "preview/preview_layers.h"
#include "preview/screen_map.h"

namespace quillmere {

namespace {

view::ViewSize SizeOf(QSizeF size) { return {size.width(), size.height()}; }

QPointF At(const ScreenMap& map, const FlatPoint& p) { return {map.X(p), map.Y(p)}; }

QRectF OnScreen(const ScreenMap& map, const FlatBounds& b) {
  const ScreenBox box = map.OnScreen(b);
  return QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom));
}

constexpr double kMarkSize = kRemovedMarkSize;
constexpr int kMarkCell = kRemovedMarkCell;  // one mark at most in each square of this many pixels

}  // namespace

QColor StrokeColour(Stroke stroke) { return ToQColor(StrokeRgb(stroke)); }

void PaintDrawing(QPainter& painter, const FlatDrawing& drawing, const ViewTransform& view,
                  QSizeF size) {
  const view::ViewSize screen = SizeOf(size);
  const ScreenMap map(drawing.origin_x, drawing.origin_y, view, screen);
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
      if (piece.stroke != stroke || !map.Meets(piece.bounds, screen, width)) continue;
      const FlatPoint* points = drawing.points.data() + piece.first;
      if (map.BelowOnePixel(piece.bounds)) {
        dots.push_back(At(map, points[0]));
        continue;
      }
      if (polyline.Holds(OnScreen(map, piece.bounds))) {
        for (std::uint32_t i = 0; i < piece.count; ++i) polyline.AddInside(At(map, points[i]));
      } else {
        for (std::uint32_t i = 0; i < piece.count; ++i) polyline.Add(At(map, points[i]));
      }
      polyline.Finish();
    }
    if (!dots.empty()) painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
  }
}

void PaintMarks(QPainter& painter, const std::vector<FlatPoint>& points, double origin_x,
                double origin_y, const ViewTransform& view, QSizeF size, MarkShape shape,
                const QColor& colour) {
  const ScreenMap map(origin_x, origin_y, view, SizeOf(size));
  MarkCells cells(SizeOf(size), kMarkCell);
  std::vector<QRectF> marks;
  for (const FlatPoint& point : points) {
    const QPointF p = At(map, point);
    if (!cells.Take(p.x(), p.y())) continue;
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
  const PreviewLayers layers = LayersOf(content, show_output, show_removed_vertices);
  if (layers.removed_vertices != nullptr) {
    PaintMarks(painter, *layers.removed_vertices, content.output.origin_x, content.output.origin_y,
               view, size, MarkShape::kSquare, kRemovedVertexColour);
  }
  PaintDrawing(painter, *layers.drawing, view, size);
  if (layers.polyline_ends != nullptr) {
    PaintMarks(painter, *layers.polyline_ends, content.output.origin_x, content.output.origin_y,
               view, size, MarkShape::kDot, kPolylineEndColour);
  }
}

}  // namespace quillmere
