#pragma once

#include <vector>

#include "preview/flat_drawing.h"
#include "preview/preview_content.h"
#include "preview/view_geometry.h"

namespace quillmere {

// What a preview paints of its content, bottom to top, in every toolkit:
// the marks of the removed vertices under the drawing, so that the arcs
// stay visible; the drawing shown; the marks of the output polylines' ends
// on top. A layer that is not shown is nullptr; the marks lie relative to
// the output's origin.
struct PreviewLayers {
  const std::vector<FlatPoint>* removed_vertices = nullptr;
  const FlatDrawing* drawing = nullptr;
  const std::vector<FlatPoint>* polyline_ends = nullptr;
};

// The layers of `content` with the job's output or its input shown (the
// input alone without a job) and the removed vertices marked or not.
PreviewLayers LayersOf(const PreviewContent& content, bool show_output, bool show_removed_vertices);

// Around both drawings of `content` (nothing without content), so that a
// view fitted to it keeps its place when the user switches between them.
view::WorldBounds ContentBounds(const PreviewContent* content);

}  // namespace quillmere
