#pragma once

#include <cmath>

#include "preview/flat_drawing.h"

// In a namespace of its own: the desktop program's Qt types of the same
// names wrap these.
namespace quillmere::view {

// Where a preview looks, in plain numbers for every toolkit: the world
// point in the middle of the view and the pixels per drawing unit. World Y
// points up, screen Y down.
struct ViewPoint {
  double x = 0;
  double y = 0;
};

struct ViewSize {
  double width = 0;
  double height = 0;
};

struct ViewTransform {
  double centre_x = 0;
  double centre_y = 0;
  double scale = 1;

  ViewPoint ToScreen(double x, double y, ViewSize view) const {
    return {(x - centre_x) * scale + view.width / 2, view.height / 2 - (y - centre_y) * scale};
  }
  ViewPoint ToWorld(ViewPoint screen, ViewSize view) const {
    return {centre_x + (screen.x - view.width / 2) / scale,
            centre_y - (screen.y - view.height / 2) / scale};
  }
};

// A rectangle in world coordinates around what is drawn.
struct WorldBounds {
  double min_x = INFINITY;
  double min_y = INFINITY;
  double max_x = -INFINITY;
  double max_y = -INFINITY;

  // Widens the rectangle to take in the pieces of `drawing`.
  void Include(const FlatDrawing& drawing);
  bool Empty() const { return !(min_x <= max_x && min_y <= max_y); }
};

// The view that shows all of `bounds` in a view of `size`, with a margin
// around; an empty rectangle gives a view of the world's origin.
ViewTransform FittingView(const WorldBounds& bounds, ViewSize size);

// `view` scaled by `factor` about the screen point `anchor`, which keeps
// showing the same world point.
ViewTransform ZoomedView(const ViewTransform& view, double factor, ViewPoint anchor, ViewSize size);

// `view` moved with the pointer by `offset` screen pixels.
ViewTransform PannedView(const ViewTransform& view, ViewPoint offset);

// The zoom of the mouse wheel turned by `wheel_units` (120 to a notch): a
// fifth more per notch.
double WheelZoomFactor(int wheel_units);

}  // namespace quillmere::view
