#pragma once

#include <cstddef>
#include <vector>

#include "preview/flat_drawing.h"
#include "preview/view_geometry.h"

namespace quillmere {

// A piece's bounds on the screen, in pixels; top above bottom.
struct ScreenBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// Screen position of a point relative to a drawing's origin: x * scale +
// offset_x, offset_y - y * scale, the same in every toolkit.
struct ScreenMap {
  ScreenMap(double origin_x, double origin_y, const view::ViewTransform& view, view::ViewSize size)
      : scale(view.scale),
        offset_x((origin_x - view.centre_x) * view.scale + size.width / 2),
        offset_y(size.height / 2 - (origin_y - view.centre_y) * view.scale) {}

  double X(const FlatPoint& p) const { return p.x * scale + offset_x; }
  double Y(const FlatPoint& p) const { return offset_y - p.y * scale; }

  // Whether the piece's bounds, widened by `margin` pixels, meet the view.
  bool Meets(const FlatBounds& b, view::ViewSize size, double margin) const {
    return b.max_x * scale + offset_x >= -margin && b.min_x * scale + offset_x <= size.width + margin &&
           offset_y - b.min_y * scale >= -margin && offset_y - b.max_y * scale <= size.height + margin;
  }
  ScreenBox OnScreen(const FlatBounds& b) const {
    return {b.min_x * scale + offset_x, offset_y - b.max_y * scale, b.max_x * scale + offset_x,
            offset_y - b.min_y * scale};
  }
  bool BelowOnePixel(const FlatBounds& b) const {
    return (static_cast<double>(b.max_x) - b.min_x) * scale < 1 &&
           (static_cast<double>(b.max_y) - b.min_y) * scale < 1;
  }

  double scale;
  double offset_x;
  double offset_y;
};

// Lets at most one mark into each square cell of a view, so that the cost
// of marking follows the pixels covered rather than the number of points.
class MarkCells {
 public:
  MarkCells(view::ViewSize size, int cell)
      : size_(size),
        cell_(cell),
        columns_(static_cast<int>(size.width) / cell + 1),
        taken_(static_cast<std::size_t>(columns_) *
               static_cast<std::size_t>(static_cast<int>(size.height) / cell + 1)) {}

  // Whether a mark at screen point (x, y) is drawn: inside the view and the
  // first in its cell.
  bool Take(double x, double y) {
    if (!(x >= 0 && x < size_.width && y >= 0 && y < size_.height)) return false;
    const std::size_t index = static_cast<std::size_t>(y / cell_) * static_cast<std::size_t>(columns_) +
                              static_cast<std::size_t>(x / cell_);
    if (taken_[index]) return false;
    taken_[index] = true;
    return true;
  }

 private:
  view::ViewSize size_;
  int cell_;
  int columns_;
  std::vector<bool> taken_;
};

}  // namespace quillmere
