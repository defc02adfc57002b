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

QString Filled(const QString& text, std::size_t first) {
  return QString(text).arg(static_cast<qulonglong>(first));
}

QString Filled(const QString& text, std::size_t first, std::size_t second) {
  return QString(text).arg(static_cast<qulonglong>(first)).arg(static_cast<qulonglong>(second));
}

// Contours that came back to their start, when the job closed any: told
// beside the polylines made, since the second entry marks their ends.
void AddClosedContours(LegendCounts& legend, const JobCounts& counts,
                       const LegendTemplates& templates) {
  if (counts.contours_closed == 0) return;
  legend.first_text += QStringLiteral(", ") + Filled(templates.contours_closed, counts.contours_closed);
}

}  // namespace

QPixmap StrokeSwatch(Stroke stroke) {
  QPixmap swatch = EmptySwatch();
  QPainter painter(&swatch);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool highlight = stroke == Stroke::kFoundArc || stroke == Stroke::kChangedPolyline;
  painter.setPen(QPen(StrokeColour(stroke), highlight ? 2.0 : 1.0));
  painter.drawLine(QPointF(3, kSwatchHeight / 2.0), QPointF(kSwatchWidth - 3, kSwatchHeight / 2.0));
  return swatch;
}

std::optional<LegendCounts> LegendCountsOf(const PreviewContent& content,
                                           const LegendTemplates& templates) {
  if (!content.job) return std::nullopt;
  const JobCounts& counts = content.counts;
  LegendCounts legend;
  switch (*content.job) {
    case ComparedJob::kFindArcs:
      legend.first_swatch = StrokeSwatch(Stroke::kFoundArc);
      legend.first_text = Filled(templates.arcs_found, counts.arcs_found);
      legend.second_swatch = RemovedVertexSwatch();
      legend.second_text = Filled(templates.vertices_removed, counts.vertices_removed);
      break;
    case ComparedJob::kChainLines:
      legend.first_swatch = StrokeSwatch(Stroke::kChangedPolyline);
      legend.first_text = Filled(templates.lines_chained, counts.lines_chained, counts.polylines_made);
      AddClosedContours(legend, counts, templates);
      break;
    case ComparedJob::kJoinPolylines:
      legend.first_swatch = StrokeSwatch(Stroke::kChangedPolyline);
      legend.first_text =
          Filled(templates.polylines_attached, counts.polylines_attached, counts.polylines_extended);
      AddClosedContours(legend, counts, templates);
      break;
  }
  if (!content.polyline_ends.empty()) {
    legend.second_swatch = PolylineEndSwatch();
    legend.second_text = templates.polyline_ends;
  }
  return legend;
}

}  // namespace quillmere
