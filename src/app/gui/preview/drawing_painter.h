#pragma once

#include <vector>

#include <QColor>
#include <QPainter>
#include <QSizeF>

#include "app/gui/preview/view_transform.h"
#include "preview/flat_drawing.h"
#include "preview/preview_colours.h"
#include "preview/preview_content.h"

namespace quillmere {

// The preview's colours: a dark ground as in CAD programs, straight lines
// light, the drawing's own arcs blue, what a job did in strong colours.
inline QColor ToQColor(PreviewRgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }
inline const QColor kPreviewBackground = ToQColor(kPreviewGround);
inline const QColor kRemovedVertexColour = ToQColor(kRemovedVertexRgb);
inline const QColor kPolylineEndColour = ToQColor(kPolylineEndRgb);
QColor StrokeColour(Stroke stroke);

// Paints the pieces of `drawing` that fall into a view of `size`: highlights
// last, so that they lie on top. Whatever would be smaller than a pixel is
// painted as a dot, and points closer than half a pixel to the last one
// painted are passed over, so the cost follows the pixels covered rather
// than the size of the drawing.
void PaintDrawing(QPainter& painter, const FlatDrawing& drawing, const ViewTransform& view,
                  QSizeF size);

// How points are marked: the removed vertices with small squares, the
// ends of polylines with dots.
enum class MarkShape { kSquare, kDot };

// Marks every point (relative to `origin_x`, `origin_y`) with a small
// square or dot of `colour`, at most one in each few pixels.
void PaintMarks(QPainter& painter, const std::vector<FlatPoint>& points, double origin_x,
                double origin_y, const ViewTransform& view, QSizeF size, MarkShape shape,
                const QColor& colour);

// Paints the whole view: the ground, on request the removed vertices, the
// job's input or output (or the one drawing), and on the output the ends of
// its polylines.
void PaintPreview(QPainter& painter, const PreviewContent& content, bool show_output,
                  bool show_removed_vertices, const ViewTransform& view, QSizeF size);

}  // namespace quillmere
