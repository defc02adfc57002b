#include "preview/preview_layers.h"

namespace quillmere {

PreviewLayers LayersOf(const PreviewContent& content, bool show_output, bool show_removed_vertices) {
  PreviewLayers layers;
  if (show_removed_vertices && !content.removed_vertices.empty()) {
    layers.removed_vertices = &content.removed_vertices;
  }
  const bool output = show_output && content.job.has_value();
  layers.drawing = output ? &content.output : &content.input;
  if (output && !content.polyline_ends.empty()) layers.polyline_ends = &content.polyline_ends;
  return layers;
}

view::WorldBounds ContentBounds(const PreviewContent* content) {
  view::WorldBounds bounds;
  if (content != nullptr) {
    bounds.Include(content->input);
    bounds.Include(content->output);
  }
  return bounds;
}

}  // namespace quillmere
