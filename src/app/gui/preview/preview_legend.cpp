#include "app/gui/preview/preview_legend.h"

#include <QPainter>

#include "app/gui/preview/drawing_painter.h"

namespace quillmere {

namespace {

constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 14;

QPixmap EmptySwatch() {
  QPixmap swatch(kSwatchWidth, kSwatchHeight);
  swatch.fill(kPreviewBackground);
  return swatch;
}

// A small square like the marks of the removed vertices.
QPixmap RemovedVertexSwatch() {
  QPixmap swatch = EmptySwatch();
  QPainter painter(&swatch);
  painter.setPen(QPen(kRemovedVertexColour, 1));
  painter.drawRect(kSwatchWidth / 2 - 3, kSwatchHeight / 2 - 3, 5, 5);
  return swatch;
}

// A dot like the marks of the polylines' ends.
QPixmap PolylineEndSwatch() {
  QPixmap swatch = EmptySwatch();
  QPainter painter(&swatch);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPolylineEndColour);
  painter.drawEllipse(QRectF(kSwatchWidth / 2.0 - 2.5, kSwatchHeight / 2.0 - 2.5, 5, 5));
  return swatch;
}

QPixmap StrokeSwatch(Stroke stroke) {
  QPixmap swatch = EmptySwatch();
  QPainter painter(&swatch);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool highlight = stroke == Stroke::kFoundArc || stroke == Stroke::kChangedPolyline;
  painter.setPen(QPen(StrokeColour(stroke), highlight ? 2.0 : 1.0));
  painter.drawLine(QPointF(3, kSwatchHeight / 2.0), QPointF(kSwatchWidth - 3, kSwatchHeight / 2.0));
  return swatch;
}

}  // namespace

QPixmap LegendSwatchPixmap(const LegendSwatch& swatch) {
  switch (swatch.kind) {
    case LegendSwatch::Kind::kRemovedVertex:
      return RemovedVertexSwatch();
    case LegendSwatch::Kind::kPolylineEnd:
      return PolylineEndSwatch();
    case LegendSwatch::Kind::kStroke:
      break;
  }
  return StrokeSwatch(swatch.stroke);
}

}  // namespace quillmere
