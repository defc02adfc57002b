#include "preview/preview_painter.h"

#include <algorithm>
#include <cmath>

#include "preview/screen_path.h"

namespace quillmere {

namespace {

view::ViewPoint At(const ScreenMap& map, const FlatPoint& p) { return {map.X(p), map.Y(p)}; }

void PaintDrawing(const FlatDrawing& drawing, const view::ViewTransform& view, view::ViewSize size,
                  double pixel_scale, PreviewPainter& painter) {
  const ScreenMap map(drawing.origin_x, drawing.origin_y, view, size);
  ScreenPath path(painter, size);
  std::vector<view::ViewPoint> dots;
  for (const Stroke stroke : kStrokePaintOrder) {
    const double width = StrokeWidth(stroke) * pixel_scale;
    painter.BeginStroke(stroke);
    dots.clear();
    for (const FlatPiece& piece : drawing.pieces) {
      if (piece.stroke != stroke || !map.Meets(piece.bounds, size, width)) continue;
      const FlatPoint* points = drawing.points.data() + piece.first;
      if (map.BelowOnePixel(piece.bounds)) {
        dots.push_back(At(map, points[0]));
        continue;
      }
      if (path.Holds(map.OnScreen(piece.bounds))) {
        for (std::uint32_t i = 0; i < piece.count; ++i) path.AddInside(At(map, points[i]));
      } else {
        for (std::uint32_t i = 0; i < piece.count; ++i) path.Add(At(map, points[i]));
      }
      path.Finish();
    }
    if (!dots.empty()) painter.Dots(dots);
  }
}

// The marks relative to the output's origin, at most one in each cell of
// kRemovedMarkCell design pixels.
void PaintMarks(const std::vector<FlatPoint>& points, const FlatDrawing& output,
                const view::ViewTransform& view, view::ViewSize size, double pixel_scale,
                MarkShape shape, PreviewRgb colour, PreviewPainter& painter) {
  const ScreenMap map(output.origin_x, output.origin_y, view, size);
  MarkCells cells(size, std::max(1, static_cast<int>(std::lround(kRemovedMarkCell * pixel_scale))));
  std::vector<view::ViewPoint> marks;
  for (const FlatPoint& point : points) {
    const view::ViewPoint at = At(map, point);
    if (cells.Take(at.x, at.y)) marks.push_back(at);
  }
  if (!marks.empty()) painter.Marks(shape, colour, marks);
}

}  // namespace

void PaintPreview(const PreviewView& shown, view::ViewSize size, double pixel_scale,
                  PreviewPainter& painter) {
  painter.Ground(kPreviewGround);
  const PreviewContent* const content = shown.content();
  if (content == nullptr) return;
  const PreviewLayers layers = shown.Layers();
  const view::ViewTransform& view = shown.transform();
  if (layers.removed_vertices != nullptr) {
    PaintMarks(*layers.removed_vertices, content->output, view, size, pixel_scale,
               MarkShape::kSquare, kRemovedVertexRgb, painter);
  }
  PaintDrawing(*layers.drawing, view, size, pixel_scale, painter);
  if (layers.polyline_ends != nullptr) {
    PaintMarks(*layers.polyline_ends, content->output, view, size, pixel_scale, MarkShape::kDot,
               kPolylineEndRgb, painter);
  }
}

void PaintLegendSwatch(const LegendSwatch& swatch, view::ViewSize size, double pixel_scale,
                       PreviewPainter& painter) {
  painter.Ground(kPreviewGround);
  const view::ViewPoint middle{size.width / 2, size.height / 2};
  switch (swatch.kind) {
    case LegendSwatch::Kind::kRemovedVertex:
      painter.Marks(MarkShape::kSquare, kRemovedVertexRgb, {middle});
      return;
    case LegendSwatch::Kind::kPolylineEnd:
      painter.Marks(MarkShape::kDot, kPolylineEndRgb, {middle});
      return;
    case LegendSwatch::Kind::kStroke:
      break;
  }
  const double inset = 3 * pixel_scale;
  painter.BeginStroke(swatch.stroke);
  painter.Path({{inset, middle.y}, {size.width - inset, middle.y}});
}

}  // namespace quillmere
