#include "curves/curve_sampling.h"

#include <algorithm>
#include <cmath>

#include "curves/bezier_piece.h"

namespace quillmere {

namespace {

// The share of the coordinates' size that rounding may move a computed point.
constexpr double kRounding = 1e-12;
// A step aims this far below the chord error, so that most steps pass.
constexpr double kAim = 0.98;
// Steps shorter than this share of a piece's parameter range resolve
// nothing a double can hold.
constexpr double kShortestStep = 1e-15;

// Marches along one Bezier piece, taking from what is left of it the
// longest part whose bound is within the limit: each step as long as the
// bound of the last one calls for (the bound of a short part grows with the
// square of its length), shortened and tried again when it fails. The parts
// left at the end are made equal, so that no short last part is left.
class PieceMarch {
 public:
  PieceMarch(double limit, std::vector<CurvePoint>& samples) : limit_(limit), samples_(samples) {}

  bool Sample(const BezierPiece& piece) {
    double bound = DeviationBound(piece);
    if (bound <= limit_) {
      samples_.push_back(piece.End());
      return true;
    }
    // What is left of the piece, and room for what is left after the next
    // part, swapped as parts are taken, so no piece is copied per step.
    BezierPiece first_rest = piece;
    BezierPiece second_rest;
    BezierPiece* rest = &first_rest;
    BezierPiece* after = &second_rest;
    BezierPiece part;
    double left = 1;              // of the piece's parameter range, still to sample
    double step = Growth(bound);  // the next part's length, as a share of the range
    while (true) {
      if (!std::isfinite(bound) || step < kShortestStep) return false;
      const double parts = std::ceil(left / step - 1e-9);
      if (parts <= 1) {
        bound = DeviationBound(*rest);
        if (bound <= limit_) {
          samples_.push_back(rest->End());
          return true;
        }
        step = left * Growth(bound);
        continue;
      }
      const double length = left / parts;
      SplitBezier(*rest, 1 / parts, part, *after);
      bound = DeviationBound(part);
      if (bound <= limit_) {
        samples_.push_back(part.End());
        std::swap(rest, after);
        left -= length;
      }
      step = length * Growth(bound);
    }
  }

 private:
  // How much longer (or shorter) than a part with `bound` the next part may be.
  double Growth(double bound) const {
    if (!(bound > 0)) return 4;
    return std::clamp(kAim * std::sqrt(limit_ / bound), 0.1, 4.0);
  }

  double limit_;
  std::vector<CurvePoint>& samples_;
};

// Plain square roots: std::hypot guards against overflow that values up
// to kLargestCurveValue cannot reach, at several times the cost.
double Length(double x, double y) { return std::sqrt(x * x + y * y); }

double Distance(CurvePoint a, CurvePoint b) { return Length(a.x - b.x, a.y - b.y); }

}  // namespace

double DeviationBound(const BezierPiece& piece) {
  const std::size_t p = static_cast<std::size_t>(piece.degree);
  const CurvePoint a = piece.Start();
  const CurvePoint b = piece.End();
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length = Length(dx, dy);
  double hull = 0;               // largest distance of a control point from the chord segment
  double off_line = 0;           // largest distance of an inner control point from the chord line
  bool over_chord = length > 0;  // every inner point projects onto the chord
  for (std::size_t j = 1; j < p; ++j) {
    const CurvePoint q = piece.points[j].Projected();
    const double vx = q.x - a.x;
    const double vy = q.y - a.y;
    if (!(length > 0)) {
      hull = std::max(hull, Length(vx, vy));
      continue;
    }
    const double along = (vx * dx + vy * dy) / length;
    const double across = std::fabs(vx * dy - vy * dx) / length;
    off_line = std::max(off_line, across);
    if (along < 0) {
      hull = std::max(hull, Length(vx, vy));
      over_chord = false;
    } else if (along > length) {
      hull = std::max(hull, Distance(q, b));
      over_chord = false;
    } else {
      hull = std::max(hull, across);
    }
  }
  if (!over_chord || p < 2) return hull;
  // Weights brought to equal ends: w'[j] = w[j] (w[0] / w[p])^(j / p).
  const double w0 = piece.points[0].w;
  const double ratio = w0 / piece.points[p].w;
  double inner_weight = 0;
  for (std::size_t j = 1; j < p; ++j) {
    const double w = piece.points[j].w;
    inner_weight =
        std::max(inner_weight, ratio == 1 ? w : w * std::pow(ratio, static_cast<double>(j) / p));
  }
  const double x = std::ldexp(1.0, 1 - piece.degree);
  const double share = 1 / (1 + (w0 / inner_weight) * x / (1 - x));
  return std::min(hull, share * off_line);
}

CurveRefusal SampleCurve(const PlaneCurve& curve, double chord_error,
                         std::vector<CurvePoint>& samples) {
  samples.clear();
  const std::size_t first = static_cast<std::size_t>(curve.degree);
  const std::size_t end = curve.control_points.size();
  double margin = kRounding * CoordinateScale(curve.control_points);
  if (curve.closed) {
    // The last point becomes the first; the closing chord moves that much.
    margin +=
        Distance(PointAt(curve, curve.FirstParameter()), PointAt(curve, curve.LastParameter()));
  }
  const double limit = chord_error - margin;
  if (!(limit >= chord_error / 2)) return CurveRefusal::kTooFine;

  PieceMarch march(limit, samples);
  for (std::size_t span = first; span < end; ++span) {
    if (!(curve.knots[span] < curve.knots[span + 1])) continue;
    const BezierPiece piece = BezierPieceOfSpan(curve, span);
    if (samples.empty()) samples.push_back(piece.Start());
    if (!march.Sample(piece)) {
      samples.clear();
      return CurveRefusal::kTooFine;
    }
  }
  if (curve.closed) samples.back() = samples.front();
  return CurveRefusal::kNone;
}

}  // namespace quillmere
