#pragma once

#include <QImage>
#include <QWidget>

#include "app/presenter/preview_presenter.h"

namespace quillmere {

// The drawing area of the preview window: paints what the presenter shows
// and forwards the wheel, dragging with the left button and the double click
// to it. What it paints is kept as a picture and painted anew only when the
// presenter asks (Redraw) or the size changes.
class PreviewCanvas : public QWidget {
 public:
  PreviewCanvas(PreviewPresenter& presenter, QWidget* parent);

  void Redraw();
  view::ViewSize ScreenSize() const;  // in pixels
  const view::ViewTransform& View() const { return presenter_.shown().transform(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  PreviewPresenter& presenter_;
  QImage picture_;
  bool picture_valid_ = false;
};

}  // namespace quillmere
