#include "reference_arc_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillmere::reference {

namespace {

const PlainVertex& VertexAt(const PlainPolyline& polyline, std::int32_t index) {
  return polyline.vertices[static_cast<std::size_t>(index)];
}

std::optional<Arc> ArcOfWindow(const PlainPolyline& polyline, std::int32_t s, std::int32_t e) {
  const std::int32_t m = s + (e - s) / 2;
  const PlainVertex& p1 = VertexAt(polyline, s);
  const PlainVertex& p2 = VertexAt(polyline, m);
  const PlainVertex& p3 = VertexAt(polyline, e);
  return ArcThroughPoints({p1.x, p1.y}, {p2.x, p2.y}, {p3.x, p3.y});
}

// The arc test points spread over the counter-clockwise angle from the start
// to the end angle, taken modulo 2 pi.
double Sweep(const Arc& arc) {
  double delta = arc.end_angle - arc.start_angle;
  if (delta < 0) delta = delta + 2 * M_PI;
  return delta;
}

// Distance from arc test point i to (lx, ly).
double ArcPointDistance(const Arc& arc, double delta, std::int32_t na, std::int32_t i,
                        double lx, double ly) {
  const double phi = arc.start_angle + (i * delta) / na;
  const double ax = arc.centre_x + arc.radius * std::cos(phi);
  const double ay = arc.centre_y + arc.radius * std::sin(phi);
  return std::sqrt((ax - lx) * (ax - lx) + (ay - ly) * (ay - ly));
}

// Distance from (qx, qy) to the segment from a to b.
double SegmentDistance(double qx, double qy, const PlainVertex& a, const PlainVertex& b) {
  const double ux = b.x - a.x;
  const double uy = b.y - a.y;
  const double ll = ux * ux + uy * uy;
  if (ll == 0) return std::sqrt((qx - a.x) * (qx - a.x) + (qy - a.y) * (qy - a.y));
  double t = ((qx - a.x) * ux + (qy - a.y) * uy) / ll;
  if (t < 0) t = 0;
  if (t > 1) t = 1;
  return std::sqrt((qx - (a.x + t * ux)) * (qx - (a.x + t * ux)) +
                   (qy - (a.y + t * uy)) * (qy - (a.y + t * uy)));
}

// Distance from arc test point i to the nearest segment of the window.
double ArcPointToLine(const PlainPolyline& polyline, std::int32_t s, std::int32_t e, const Arc& arc,
                      double delta, std::int32_t na, std::int32_t i) {
  const double phi = arc.start_angle + (i * delta) / na;
  const double ax = arc.centre_x + arc.radius * std::cos(phi);
  const double ay = arc.centre_y + arc.radius * std::sin(phi);
  double nearest = std::numeric_limits<double>::infinity();
  for (std::int32_t k = s; k <= e - 1; ++k) {
    nearest = std::min(nearest, SegmentDistance(ax, ay, VertexAt(polyline, k), VertexAt(polyline, k + 1)));
  }
  return nearest;
}

bool HoldsAnArc(const PlainPolyline& polyline, std::int32_t s, std::int32_t e) {
  for (std::int32_t k = s; k <= e - 1; ++k) {
    if (VertexAt(polyline, k).carries_arc) return true;
  }
  return false;
}

bool IsPlainOutline(const PlainPolyline& polyline) {
  return polyline.kind == PolylineKind::kLwPolyline ||
         (polyline.header_flags & (2 | 4 | 8 | 16 | 64)) == 0;
}

}  // namespace

bool WindowPasses(const PlainPolyline& polyline, std::int32_t s, std::int32_t e,
                  const ArcSearchSettings& settings) {
  if (HoldsAnArc(polyline, s, e)) return false;
  const std::optional<Arc> found = ArcOfWindow(polyline, s, e);
  if (!found || found->bulge == 0) return false;
  const Arc& arc = *found;
  const double deviation = settings.deviation;
  const std::int32_t na = settings.arc_tests;
  const std::int32_t nl = settings.line_tests;
  const double delta = Sweep(arc);
  for (std::int32_t k = s; k <= e - 1; ++k) {
    const PlainVertex& from = VertexAt(polyline, k);
    const PlainVertex& to = VertexAt(polyline, k + 1);
    for (std::int32_t j = 0; j <= nl; ++j) {
      const double lx = from.x + ((to.x - from.x) / nl) * j;
      const double ly = from.y + ((to.y - from.y) / nl) * j;
      bool accepted = false;
      for (std::int32_t i = 0; i <= na && !accepted; ++i) {
        accepted = ArcPointDistance(arc, delta, na, i, lx, ly) < deviation;
      }
      if (!accepted) return false;
    }
  }
  for (std::int32_t i = 0; i <= na; ++i) {
    bool near = false;
    const double phi = arc.start_angle + (i * delta) / na;
    const double ax = arc.centre_x + arc.radius * std::cos(phi);
    const double ay = arc.centre_y + arc.radius * std::sin(phi);
    for (std::int32_t k = s; k <= e - 1 && !near; ++k) {
      near = SegmentDistance(ax, ay, VertexAt(polyline, k), VertexAt(polyline, k + 1)) < deviation;
    }
    if (!near) return false;
  }
  return true;
}

double CriticalDeviation(const PlainPolyline& polyline, std::int32_t s, std::int32_t e,
                         const ArcSearchSettings& settings) {
  const std::optional<Arc> found = ArcOfWindow(polyline, s, e);
  if (!found) return std::numeric_limits<double>::quiet_NaN();
  const Arc& arc = *found;
  const std::int32_t na = settings.arc_tests;
  const std::int32_t nl = settings.line_tests;
  const double delta = Sweep(arc);
  double critical = 0;
  for (std::int32_t k = s; k <= e - 1; ++k) {
    const PlainVertex& from = VertexAt(polyline, k);
    const PlainVertex& to = VertexAt(polyline, k + 1);
    for (std::int32_t j = 0; j <= nl; ++j) {
      const double lx = from.x + ((to.x - from.x) / nl) * j;
      const double ly = from.y + ((to.y - from.y) / nl) * j;
      double nearest = std::numeric_limits<double>::infinity();
      for (std::int32_t i = 0; i <= na; ++i) {
        nearest = std::min(nearest, ArcPointDistance(arc, delta, na, i, lx, ly));
      }
      critical = std::max(critical, nearest);
    }
  }
  for (std::int32_t i = 0; i <= na; ++i) {
    critical = std::max(critical, ArcPointToLine(polyline, s, e, arc, delta, na, i));
  }
  return critical;
}

void SearchPolyline(PlainPolyline& polyline, const ArcSearchSettings& settings,
                    const WindowTest& window_test, SearchCounts* counts) {
  if (!IsPlainOutline(polyline)) return;
  const auto passes = [&](std::int32_t s, std::int32_t e) {
    if (counts) {
      ++counts->window_tests;
      counts->segment_tests += e - s;
    }
    return window_test ? window_test(polyline, s, e) : WindowPasses(polyline, s, e, settings);
  };

  const std::int32_t n = polyline.VertexCount();
  for (std::int32_t v = 0; v < n; ++v) polyline.vertices[static_cast<std::size_t>(v)].dropped = false;
  std::int32_t s = 0;
  do {
    std::int32_t e = s + 3;
    bool good = true;
    while (good && e <= n - 1) {
      if (passes(s, e)) {
        e = e + 1;
      } else {
        good = false;
      }
    }
    if (e > n - 1) e = n - 1;
    if (!good) e = e - 1;
    if (e < s + 3) {
      s = s + 1;
    } else if (const std::optional<Arc> arc = ArcOfWindow(polyline, s, e)) {
      for (std::int32_t v = s + 1; v <= e - 1; ++v) {
        polyline.vertices[static_cast<std::size_t>(v)].dropped = true;
      }
      polyline.vertices[static_cast<std::size_t>(s)].gets_bulge = true;
      polyline.vertices[static_cast<std::size_t>(s)].bulge = arc->bulge;
      s = e;
    } else {
      s = s + 1;
    }
  } while (!(s + 3 > n - 1));
}

void FindArcs(PlainModel& model, const ArcSearchSettings& settings,
              const WindowTest& window_test, SearchCounts* counts) {
  for (PlainPolyline& polyline : model.polylines) SearchPolyline(polyline, settings, window_test, counts);
}

}  // namespace quillmere::reference
