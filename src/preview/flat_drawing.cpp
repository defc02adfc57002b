#include "preview/flat_drawing.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

namespace {

// An arc is divided into steps of at most this angle (radians): the chord
// of a step then stays within 1/4000 of the radius of the arc.
constexpr double kArcStep = 0.04;
// Pieces end after this many points, so that culling by bounds pays off
// in long polylines too.
constexpr std::uint32_t kPiecePoints = 256;

void Include(FlatBounds& bounds, const FlatPoint& point) {
  bounds.min_x = std::min(bounds.min_x, point.x);
  bounds.min_y = std::min(bounds.min_y, point.y);
  bounds.max_x = std::max(bounds.max_x, point.x);
  bounds.max_y = std::max(bounds.max_y, point.y);
}

void Include(FlatBounds& bounds, const FlatBounds& other) {
  Include(bounds, FlatPoint{other.min_x, other.min_y});
  Include(bounds, FlatPoint{other.max_x, other.max_y});
}

// Cuts the flattened paths into pieces of one stroke each.
class PieceBuilder {
 public:
  explicit PieceBuilder(FlatDrawing& flat) : flat_(flat) {}

  // Begins a path at `start`; a stroke change later starts the next piece
  // at the last point of the one before, so the path stays connected.
  void StartPath(const PathVertex& start) {
    EndPiece();
    have_last_ = ToFlatPoint(start, last_);
  }

  void AddSegment(Stroke stroke, const std::vector<PathVertex>& points) {
    for (const PathVertex& point : points) {
      FlatPoint flat_point;
      if (!ToFlatPoint(point, flat_point)) {
        // A point beyond single precision breaks the path there.
        EndPiece();
        have_last_ = false;
        continue;
      }
      if (!open_ || stroke != stroke_ || Current().count >= kPiecePoints) {
        EndPiece();
        if (have_last_) BeginPiece(stroke, last_);
      }
      if (open_) Append(flat_point);
      last_ = flat_point;
      have_last_ = true;
    }
  }

  void EndPiece() {
    if (!open_) return;
    open_ = false;
    // A single point draws nothing.
    if (Current().count < 2) {
      flat_.points.resize(Current().first);
      flat_.pieces.pop_back();
      return;
    }
    if (flat_.pieces.size() == 1) {
      flat_.bounds = Current().bounds;
    } else {
      Include(flat_.bounds, Current().bounds);
    }
  }

 private:
  FlatPiece& Current() { return flat_.pieces.back(); }

  bool ToFlatPoint(const PathVertex& point, FlatPoint& flat_point) const {
    flat_point.x = static_cast<float>(point.x - flat_.origin_x);
    flat_point.y = static_cast<float>(point.y - flat_.origin_y);
    return std::isfinite(flat_point.x) && std::isfinite(flat_point.y);
  }

  void BeginPiece(Stroke stroke, const FlatPoint& start) {
    FlatPiece& piece = flat_.pieces.emplace_back();
    piece.stroke = stroke;
    piece.first = static_cast<std::uint32_t>(flat_.points.size());
    piece.bounds = {start.x, start.y, start.x, start.y};
    stroke_ = stroke;
    open_ = true;
    Append(start);
  }

  void Append(const FlatPoint& point) {
    flat_.points.push_back(point);
    ++Current().count;
    Include(Current().bounds, point);
  }

  FlatDrawing& flat_;
  bool open_ = false;
  Stroke stroke_ = Stroke::kLine;
  FlatPoint last_;
  bool have_last_ = false;
};

// The middle of the vertices of the drawn entities; false when none is.
bool FindMiddle(const DrawingGeometry& geometry, double& x, double& y) {
  double min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;
  for (const DrawnEntity& entity : geometry.entities) {
    if (!entity.drawn) continue;
    const PathVertex* vertices = geometry.VerticesOf(entity);
    for (std::size_t i = 0; i < entity.count; ++i) {
      min_x = std::min(min_x, vertices[i].x);
      min_y = std::min(min_y, vertices[i].y);
      max_x = std::max(max_x, vertices[i].x);
      max_y = std::max(max_y, vertices[i].y);
    }
  }
  if (!(min_x <= max_x && min_y <= max_y)) return false;
  x = min_x / 2 + max_x / 2;  // halves first: no overflow near the largest doubles
  y = min_y / 2 + max_y / 2;
  return true;
}

}  // namespace

std::vector<Stroke> NaturalStrokes(const DrawingGeometry& geometry) {
  std::vector<Stroke> strokes(geometry.vertices.size());
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    strokes[i] = geometry.vertices[i].bulge != 0 ? Stroke::kArc : Stroke::kLine;
  }
  // A curve's short segments are the curve.
  for (const DrawnEntity& entity : geometry.entities) {
    if (!entity.IsCurve()) continue;
    std::fill_n(strokes.begin() + static_cast<std::ptrdiff_t>(entity.first), entity.count,
                Stroke::kArc);
  }
  return strokes;
}

void AppendSegmentPoints(std::vector<PathVertex>& points, const PathVertex& from,
                         const PathVertex& to) {
  const double bulge = from.bulge;
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double chord = std::hypot(dx, dy);
  if (bulge == 0 || !(chord > 0) || !std::isfinite(bulge)) {
    points.push_back({to.x, to.y, 0});
    return;
  }
  // The centre lies to the left of the chord for a counter-clockwise arc
  // (positive bulge), at this distance from the chord's middle along the
  // chord's left normal (-dy, dx) / chord.
  const double offset = (1 - bulge * bulge) / (4 * bulge);
  const double centre_x = from.x + dx / 2 - dy * offset;
  const double centre_y = from.y + dy / 2 + dx * offset;
  const double radius = std::hypot(from.x - centre_x, from.y - centre_y);
  const double start = std::atan2(from.y - centre_y, from.x - centre_x);
  const double sweep = 4 * std::atan(bulge);
  const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStep)));
  for (int i = 1; i < steps; ++i) {
    const double angle = start + sweep * i / steps;
    points.push_back({centre_x + radius * std::cos(angle), centre_y + radius * std::sin(angle), 0});
  }
  points.push_back({to.x, to.y, 0});  // exactly the vertex, not a rounded angle
}

FlatDrawing FlattenDrawing(const DrawingGeometry& geometry, std::span<const Stroke> strokes) {
  FlatDrawing flat;
  if (!FindMiddle(geometry, flat.origin_x, flat.origin_y)) return flat;
  flat.points.reserve(geometry.vertices.size());
  PieceBuilder builder(flat);
  std::vector<PathVertex> segment;
  for (const DrawnEntity& entity : geometry.entities) {
    if (!entity.drawn || entity.count < 2) continue;
    const PathVertex* vertices = geometry.VerticesOf(entity);
    const std::size_t segments = entity.count - (entity.closed ? 0 : 1);
    builder.StartPath(vertices[0]);
    for (std::size_t s = 0; s < segments; ++s) {
      segment.clear();
      AppendSegmentPoints(segment, vertices[s], vertices[(s + 1) % entity.count]);
      builder.AddSegment(strokes[entity.first + s], segment);
    }
    builder.EndPiece();
  }
  return flat;
}

}  // namespace quillmere
