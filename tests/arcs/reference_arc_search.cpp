#include "reference_arc_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillmere::reference {

namespace {

const Tmypoi& Vertex(const tpoly& polyline, std::int32_t index) {
  return polyline.ps[static_cast<std::size_t>(index)];
}

bool ArcOfWindow(const tpoly& polyline, std::int32_t s, std::int32_t e, ArcFields& arc) {
  const std::int32_t m = s + (e - s) / 2;
  const Tmypoi& p1 = Vertex(polyline, s);
  const Tmypoi& p2 = Vertex(polyline, m);
  const Tmypoi& p3 = Vertex(polyline, e);
  return arc.ArcThroughPoints(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y);
}

// The arc test points spread over the counter-clockwise angle from the start
// to the end angle, taken modulo 2 pi.
double Sweep(const ArcFields& arc) {
  double delta = arc.arcwinkel2 - arc.arcwinkel1;
  if (delta < 0) delta = delta + 2 * M_PI;
  return delta;
}

// Distance from arc test point i to (lx, ly).
double ArcPointDistance(const ArcFields& arc, double delta, std::int32_t na, std::int32_t i,
                        double lx, double ly) {
  const double phi = arc.arcwinkel1 + (i * delta) / na;
  const double ax = arc.arcmx + arc.arcradius * std::cos(phi);
  const double ay = arc.arcmy + arc.arcradius * std::sin(phi);
  return std::sqrt((ax - lx) * (ax - lx) + (ay - ly) * (ay - ly));
}

// Distance from (qx, qy) to the segment from a to b.
double SegmentDistance(double qx, double qy, const Tmypoi& a, const Tmypoi& b) {
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
double ArcPointToLine(const tpoly& polyline, std::int32_t s, std::int32_t e, const ArcFields& arc,
                      double delta, std::int32_t na, std::int32_t i) {
  const double phi = arc.arcwinkel1 + (i * delta) / na;
  const double ax = arc.arcmx + arc.arcradius * std::cos(phi);
  const double ay = arc.arcmy + arc.arcradius * std::sin(phi);
  double nearest = std::numeric_limits<double>::infinity();
  for (std::int32_t k = s; k <= e - 1; ++k) {
    nearest = std::min(nearest, SegmentDistance(ax, ay, Vertex(polyline, k), Vertex(polyline, k + 1)));
  }
  return nearest;
}

bool HoldsAnArc(const tpoly& polyline, std::int32_t s, std::int32_t e) {
  for (std::int32_t k = s; k <= e - 1; ++k) {
    if (Vertex(polyline, k).carries_arc) return true;
  }
  return false;
}

bool IsPlainOutline(const tpoly& polyline) {
  return polyline.kind == PolylineKind::kLwPolyline ||
         (polyline.headerflags & (2 | 4 | 8 | 16 | 64)) == 0;
}

}  // namespace

bool WindowPasses(const tpoly& polyline, std::int32_t s, std::int32_t e,
                  const ArcSearchSettings& settings, ArcFields& arc) {
  if (HoldsAnArc(polyline, s, e)) return false;
  if (!ArcOfWindow(polyline, s, e, arc) || arc.bulge == 0) return false;
  const double deviation = settings.deviation;
  const std::int32_t na = settings.arc_tests;
  const std::int32_t nl = settings.line_tests;
  const double delta = Sweep(arc);
  for (std::int32_t k = s; k <= e - 1; ++k) {
    const Tmypoi& from = Vertex(polyline, k);
    const Tmypoi& to = Vertex(polyline, k + 1);
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
    const double phi = arc.arcwinkel1 + (i * delta) / na;
    const double ax = arc.arcmx + arc.arcradius * std::cos(phi);
    const double ay = arc.arcmy + arc.arcradius * std::sin(phi);
    for (std::int32_t k = s; k <= e - 1 && !near; ++k) {
      near = SegmentDistance(ax, ay, Vertex(polyline, k), Vertex(polyline, k + 1)) < deviation;
    }
    if (!near) return false;
  }
  return true;
}

double CriticalDeviation(const tpoly& polyline, std::int32_t s, std::int32_t e,
                         const ArcSearchSettings& settings, ArcFields& arc) {
  ArcOfWindow(polyline, s, e, arc);
  const std::int32_t na = settings.arc_tests;
  const std::int32_t nl = settings.line_tests;
  const double delta = Sweep(arc);
  double critical = 0;
  for (std::int32_t k = s; k <= e - 1; ++k) {
    const Tmypoi& from = Vertex(polyline, k);
    const Tmypoi& to = Vertex(polyline, k + 1);
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

void SearchPolyline(tpoly& polyline, const ArcSearchSettings& settings, ArcFields& arc,
                    const WindowTest& window_test, SearchCounts* counts) {
  if (!IsPlainOutline(polyline)) return;
  const auto passes = [&](std::int32_t s, std::int32_t e) {
    if (counts) {
      ++counts->window_tests;
      counts->segment_tests += e - s;
    }
    return window_test ? window_test(polyline, s, e, arc)
                       : WindowPasses(polyline, s, e, settings, arc);
  };

  const std::int32_t n = polyline.anzp;
  for (std::int32_t v = 0; v < n; ++v) polyline.ps[static_cast<std::size_t>(v)].delit = false;
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
    } else if (ArcOfWindow(polyline, s, e, arc)) {
      for (std::int32_t v = s + 1; v <= e - 1; ++v) {
        polyline.ps[static_cast<std::size_t>(v)].delit = true;
      }
      polyline.ps[static_cast<std::size_t>(s)].writebulge = true;
      polyline.ps[static_cast<std::size_t>(s)].bulge = arc.bulge;
      s = e;
    } else {
      s = s + 1;
    }
  } while (!(s + 3 > n - 1));
}

void ArcSearch(PolylineModel& model, const ArcSearchSettings& settings, ArcFields& arc,
               const WindowTest& window_test, SearchCounts* counts) {
  for (std::int32_t p = 0; p < model.anzpoly; ++p) {
    SearchPolyline(model.polys[static_cast<std::size_t>(p)], settings, arc, window_test, counts);
  }
}

}  // namespace quillmere::reference
