#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QSizeF>

#include "preview/preview_painter.h"

namespace quillmere {

// The preview's colours in Qt's terms.
inline QColor ToQColor(PreviewRgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }
inline const QColor kPreviewBackground = ToQColor(kPreviewGround);
inline const QColor kRemovedVertexColour = ToQColor(kRemovedVertexRgb);
inline const QColor kPolylineEndColour = ToQColor(kPolylineEndRgb);
inline QColor StrokeColour(Stroke stroke) { return ToQColor(StrokeRgb(stroke)); }

// Paints what `shown` shows into a view of `size` (PaintPreview of the
// preview's model) with antialiasing; widths are in pixels, whatever the
// painter is set to.
void PaintPreview(QPainter& painter, const PreviewView& shown, QSizeF size);

// The swatch of a legend entry (PaintLegendSwatch).
QPixmap LegendSwatchPixmap(const LegendSwatch& swatch);

}  // namespace quillmere
