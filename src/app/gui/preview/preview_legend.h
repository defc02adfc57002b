#pragma once

#include <QPixmap>

#include "app/presenter/preview_legend.h"

namespace quillmere {

// The swatch of a legend entry: a short stroke in the colour and width the
// drawing uses, or the mark of a removed vertex or of a polyline's end.
QPixmap LegendSwatchPixmap(const LegendSwatch& swatch);

}  // namespace quillmere
