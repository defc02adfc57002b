#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "app/gui/preview/view_transform.h"
#include "preview/preview_content.h"
#include "preview/preview_view.h"

namespace quillmere {

// The drawing area of the preview window. The wheel zooms about the
// pointer, dragging with the left button moves the drawing, a double click
// shows the whole drawing again. Switching between a job's input and output
// keeps the view, so that the two can be compared in place.
//
// What it paints is kept as a picture and painted anew only when the view,
// the size or what is shown changes.
class PreviewCanvas : public QWidget {
 public:
  explicit PreviewCanvas(QWidget* parent = nullptr);

  // Shows `content`, which must stay until the next call, fitted into the
  // canvas; nullptr shows the ground alone.
  void SetContent(const PreviewContent* content);
  void ShowOutput(bool show);
  void ShowRemovedVertices(bool show);
  // Shows the whole drawing, input and output alike.
  void FitView();

  ViewTransform View() const { return view_.transform(); }
  void SetView(const ViewTransform& view);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Changed();
  view::ViewSize ScreenSize() const;  // in pixels

  PreviewView view_;
  bool dragging_ = false;
  QPoint drag_position_;
  QImage picture_;
  bool picture_valid_ = false;
};

}  // namespace quillmere
