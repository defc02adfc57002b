#pragma once

#include <vector>

#include "preview/preview_colours.h"
#include "preview/preview_view.h"
#include "preview/screen_map.h"

namespace quillmere {

// How points are marked: the removed vertices with small open squares, the
// ends of polylines with dots.
enum class MarkShape { kSquare, kDot };

// What a toolkit paints the preview with, in its own pixels. The steps (what
// is culled, what becomes a dot, which points and marks are left out, where
// paths are cut, the layers' order) are the same in every toolkit; only the
// strokes themselves differ.
class PreviewPainter {
 public:
  virtual ~PreviewPainter() = default;

  // Fills the whole area.
  virtual void Ground(PreviewRgb colour) = 0;
  // The paths and dots that follow are drawn in the colour and width of
  // `stroke`.
  virtual void BeginStroke(Stroke stroke) = 0;
  // A path of two points or more, none far outside the view.
  virtual void Path(const std::vector<view::ViewPoint>& points) = 0;
  // Single points: pieces smaller than a pixel, a path's lone point.
  virtual void Dots(const std::vector<view::ViewPoint>& points) = 0;
  // A mark of `shape` and `colour` centred on each point.
  virtual void Marks(MarkShape shape, PreviewRgb colour, const std::vector<view::ViewPoint>& at) = 0;
};

// Paints what `shown` shows into a view of `size` pixels: the ground, the
// removed vertices' marks under the drawing, the pieces that meet the view
// with the highlights last, the polylines' ends on top. A piece smaller than
// a pixel becomes a dot, and at most one mark goes into each few pixels, so
// the cost follows the pixels covered rather than the size of the drawing.
// `pixel_scale` is the toolkit's pixels per design pixel: the screen's dpi
// over 96 where the program scales itself, 1 where the toolkit does.
void PaintPreview(const PreviewView& shown, view::ViewSize size, double pixel_scale,
                  PreviewPainter& painter);

// What a legend entry's swatch shows: a short stroke, or a mark.
struct LegendSwatch {
  enum class Kind { kStroke, kRemovedVertex, kPolylineEnd };
  Kind kind = Kind::kStroke;
  Stroke stroke = Stroke::kLine;  // for kStroke
};

// A legend swatch's size in design pixels.
inline constexpr view::ViewSize kSwatchDesignSize{26, 14};

// The swatch of a legend entry, `size` pixels on the preview's ground: a
// short stroke in the colour and width the drawing uses, or the mark of a
// removed vertex or of a polyline's end.
void PaintLegendSwatch(const LegendSwatch& swatch, view::ViewSize size, double pixel_scale,
                       PreviewPainter& painter);

}  // namespace quillmere
