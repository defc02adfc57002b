#pragma once

#include <optional>

#include <QPixmap>
#include <QString>

#include "preview/flat_drawing.h"
#include "preview/preview_content.h"

namespace quillmere {

// A short stroke in the colour and width of `stroke`, for the legend.
QPixmap StrokeSwatch(Stroke stroke);

// The legend's templates in the current language, each with placeholders
// %1 (and %2) for the counts.
struct LegendTemplates {
  QString arcs_found;          // %1 arcs
  QString vertices_removed;    // %1 vertices
  QString lines_chained;       // %1 lines, %2 polylines made
  QString polylines_attached;  // %1 attached, %2 extended
  QString polyline_ends;       // no number
  QString contours_closed;     // %1 closed
};

// The counts of a job as the legend shows them, and after the line and
// join jobs the mark of the polylines' ends: one or two entries, each a
// swatch and its filled-in template (the second text empty when there is
// none).
struct LegendCounts {
  QPixmap first_swatch;
  QString first_text;
  QPixmap second_swatch;
  QString second_text;
};

// Nothing for a drawing shown alone.
std::optional<LegendCounts> LegendCountsOf(const PreviewContent& content,
                                           const LegendTemplates& templates);

}  // namespace quillmere
