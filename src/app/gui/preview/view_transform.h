#pragma once

#include <QPointF>
#include <QSizeF>

#include "preview/view_geometry.h"

namespace quillmere {

// Where the preview looks (the shared view geometry), in Qt's points and
// sizes. World Y points up, screen Y down.
struct ViewTransform : view::ViewTransform {
  ViewTransform() = default;
  ViewTransform(const view::ViewTransform& view) : view::ViewTransform(view) {}

  QPointF ToScreen(double x, double y, QSizeF size) const {
    const view::ViewPoint point = view::ViewTransform::ToScreen(x, y, {size.width(), size.height()});
    return {point.x, point.y};
  }
  QPointF ToWorld(QPointF screen, QSizeF size) const {
    const view::ViewPoint point =
        view::ViewTransform::ToWorld({screen.x(), screen.y()}, {size.width(), size.height()});
    return {point.x, point.y};
  }
};

using view::WorldBounds;

// The view that shows all of `bounds` in a view of `size`, with a margin
// around; an empty rectangle gives a view of the world's origin.
inline ViewTransform FittingView(const WorldBounds& bounds, QSizeF size) {
  return view::FittingView(bounds, {size.width(), size.height()});
}

// `view` scaled by `factor` about the screen point `anchor`, which keeps
// showing the same world point.
inline ViewTransform ZoomedView(const ViewTransform& view, double factor, QPointF anchor, QSizeF size) {
  return view::ZoomedView(view, factor, {anchor.x(), anchor.y()}, {size.width(), size.height()});
}

// `view` moved with the pointer by `offset` screen pixels.
inline ViewTransform PannedView(const ViewTransform& view, QPointF offset) {
  return view::PannedView(view, {offset.x(), offset.y()});
}

}  // namespace quillmere
