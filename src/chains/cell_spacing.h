#pragma once

#include <cstdint>

namespace quillmere {

// The first and last cell number, along one axis, that a search visits.
struct CellSpan {
  std::int64_t first = 0;
  std::int64_t last = 0;
};

// How coordinates map to cell numbers along each axis of the chain-end grid.
//
// The mapping is monotone (clamping, division by a positive width, adding
// one half, floor): a <= b gives CellOf(a) <= CellOf(b). A coordinate that
// passes the box test lies strictly between the start minus and plus the
// tolerance, and the rounded bounds still enclose it, so its cell lies in
// the span of SpanAround. The cells only narrow the candidates; the box
// test itself decides, so rounding can never make or miss a join.
class CellSpacing {
 public:
  // `tolerance` must be greater than 0 (infinity included). `extent` is the
  // largest magnitude of any finite coordinate that will be stored or
  // looked up.
  CellSpacing(double tolerance, double extent);

  std::int64_t CellOf(double coordinate) const;
  // The cells in which a coordinate less than the tolerance away from
  // `coordinate` can lie: at most two.
  CellSpan SpanAround(double coordinate) const;

 private:
  double tolerance_;
  double width_;
};

}  // namespace quillmere
