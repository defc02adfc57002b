#pragma once

#include "preview/preview_content.h"
#include "preview/preview_layers.h"
#include "preview/view_geometry.h"

namespace quillmere {

// What a preview canvas shows and where it looks, in every toolkit: the
// content, the job's output or its input, whether the removed vertices are
// marked, and the view. A fitted view is fitted anew when the canvas
// changes size, until the user zooms or moves it. Switching between input
// and output keeps the view, so that the two can be compared in place.
class PreviewView {
 public:
  // `content` must stay until the next call; nullptr shows nothing.
  void SetContent(const PreviewContent* content, view::ViewSize size) {
    content_ = content;
    Fit(size);
  }
  void ShowOutput(bool show) { show_output_ = show; }
  void ShowRemovedVertices(bool show) { show_removed_vertices_ = show; }
  // Shows the whole drawing, input and output alike.
  void Fit(view::ViewSize size) {
    transform_ = view::FittingView(ContentBounds(content_), size);
    fitted_ = true;
  }
  void Resized(view::ViewSize size) {
    if (fitted_) Fit(size);
  }
  // The user zoomed or moved the view.
  void Move(const view::ViewTransform& transform) {
    transform_ = transform;
    fitted_ = false;
  }

  const PreviewContent* content() const { return content_; }
  bool shows_output() const { return show_output_; }
  bool shows_removed_vertices() const { return show_removed_vertices_; }
  const view::ViewTransform& transform() const { return transform_; }
  // What to paint; only with content.
  PreviewLayers Layers() const { return LayersOf(*content_, show_output_, show_removed_vertices_); }

 private:
  const PreviewContent* content_ = nullptr;
  bool show_output_ = true;
  bool show_removed_vertices_ = true;
  view::ViewTransform transform_;
  bool fitted_ = true;
};

}  // namespace quillmere
