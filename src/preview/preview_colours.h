#pragma once

#include <cstdint>

#include "preview/flat_drawing.h"

namespace quillmere {

// The preview's colours, the same in every toolkit: a dark ground as in CAD
// programs, straight lines light, the drawing's own arcs blue, what a job
// did in strong colours.
struct PreviewRgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

inline constexpr PreviewRgb kPreviewGround{0x1B, 0x1F, 0x24};
inline constexpr PreviewRgb kRemovedVertexRgb{0xFF, 0x4D, 0x4D};
// The ends of the polylines that the line and join jobs wrote.
inline constexpr PreviewRgb kPolylineEndRgb{0xE0, 0x60, 0xFF};

constexpr PreviewRgb StrokeRgb(Stroke stroke) {
  switch (stroke) {
    case Stroke::kLine:
      return {0xC8, 0xCC, 0xD2};
    case Stroke::kArc:
      return {0x4F, 0xA3, 0xFF};
    case Stroke::kFoundArc:
      return {0xFF, 0x9F, 0x1C};
    case Stroke::kChangedPolyline:
      return {0x3D, 0xDC, 0x84};
  }
  return {0xFF, 0xFF, 0xFF};
}

// What a job did is drawn twice as wide, so that it stands out.
constexpr double StrokeWidth(Stroke stroke) {
  return stroke == Stroke::kFoundArc || stroke == Stroke::kChangedPolyline ? 2.0 : 1.0;
}

// Highlights last, so that they lie on top.
inline constexpr Stroke kStrokePaintOrder[] = {Stroke::kLine, Stroke::kArc,
                                               Stroke::kChangedPolyline, Stroke::kFoundArc};

// The mark of a removed vertex is a square of this many pixels, at most
// one in each cell of kRemovedMarkCell pixels.
inline constexpr double kRemovedMarkSize = 5;
inline constexpr int kRemovedMarkCell = 6;

}  // namespace quillmere
