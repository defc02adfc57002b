#include "chains/cell_spacing.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace quillmere {

namespace {

// The box around a point is two tolerances wide; cells of three keep it
// within two cells per axis.
constexpr double kTolerancesPerCell = 4;
// Cell numbers of finite coordinates stay within ±2^47, where a double still
// resolves 1/32 of a cell: the rounding of the two bounds of a box then
// cannot stretch it over a third cell.
constexpr int kCellNumberBits = 47;
// Keeps the width a normal number when tolerance and coordinates are tiny.
constexpr double kSmallestWidth = 0x1p-1000;
// Infinite coordinates land beyond every finite one, and cell numbers of
// neighbouring cells still never overflow.
constexpr double kLargestCell = 0x1p62;

}  // namespace

// A tolerance so large that the width overflows puts every point in cell 0.
CellSpacing::CellSpacing(double tolerance, double extent)
    : tolerance_(tolerance),
      width_(std::max({kTolerancesPerCell * tolerance, std::ldexp(extent, -kCellNumberBits),
                       kSmallestWidth})) {}

// Cell 0 is centred on 0, so that a flat drawing (z = 0 throughout) touches
// a single layer of cells in z.
std::int64_t CellSpacing::CellOf(double coordinate) const {
  const double finite = std::clamp(coordinate, -DBL_MAX, DBL_MAX);
  const double cell = std::floor(finite / width_ + 0.5);
  // A NaN coordinate never passes the box test: any cell will do.
  if (std::isnan(cell)) return 0;
  return static_cast<std::int64_t>(std::clamp(cell, -kLargestCell, kLargestCell));
}

CellSpan CellSpacing::SpanAround(double coordinate) const {
  return {CellOf(coordinate - tolerance_), CellOf(coordinate + tolerance_)};
}

}  // namespace quillmere
