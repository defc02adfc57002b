#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "preview/drawing_geometry.h"

namespace quillmere {

// How a segment is drawn: a straight one, an arc of the drawing, an arc the
// arc job found, a segment of a polyline the line or join job made or
// extended.
enum class Stroke : std::uint8_t { kLine, kArc, kFoundArc, kChangedPolyline };

// The drawing ready to paint: every path as straight pieces in single
// precision, relative to the drawing's middle so that far-off coordinates
// keep their precision, arcs divided finely enough to look round at any
// size a window shows them.
struct FlatPoint {
  float x = 0;
  float y = 0;
};

struct FlatBounds {
  float min_x = 0;
  float min_y = 0;
  float max_x = 0;
  float max_y = 0;
};

// Consecutive points drawn with one stroke. Long paths are cut into pieces
// of limited length so that a zoomed view can skip whatever lies outside
// by the pieces' bounds.
struct FlatPiece {
  Stroke stroke = Stroke::kLine;
  std::uint32_t first = 0;
  std::uint32_t count = 0;
  FlatBounds bounds;
};

struct FlatDrawing {
  double origin_x = 0;  // world coordinates of the points' (0, 0)
  double origin_y = 0;
  std::vector<FlatPoint> points;
  std::vector<FlatPiece> pieces;
  FlatBounds bounds;  // of every piece; meaningless while `pieces` is empty
};

// The stroke of every segment as the drawing gives it: arcs where the bulge
// is not 0 and along SPLINEs and ELLIPSEs, straight lines elsewhere. One value per vertex of `geometry`,
// for the segment that starts there.
std::vector<Stroke> NaturalStrokes(const DrawingGeometry& geometry);

// Flattens the drawn entities; `strokes` holds one value per vertex of
// `geometry` (see NaturalStrokes).
FlatDrawing FlattenDrawing(const DrawingGeometry& geometry, std::span<const Stroke> strokes);

// The points of a bulged segment from `from` to `to`, `to` included and
// `from` not: one for a straight segment, enough for an arc to deviate from
// its true shape by less than 1/4000 of its radius.
void AppendSegmentPoints(std::vector<PathVertex>& points, const PathVertex& from,
                         const PathVertex& to);

}  // namespace quillmere
