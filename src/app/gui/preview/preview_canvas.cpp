#include "app/gui/preview/preview_canvas.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/gui/preview/drawing_painter.h"

namespace quillmere {

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
  setMinimumSize(200, 150);
  setCursor(Qt::OpenHandCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

view::ViewSize PreviewCanvas::ScreenSize() const {
  return {static_cast<double>(width()), static_cast<double>(height())};
}

void PreviewCanvas::SetContent(const PreviewContent* content) {
  view_.SetContent(content, ScreenSize());
  Changed();
}

void PreviewCanvas::ShowOutput(bool show) {
  view_.ShowOutput(show);
  Changed();
}

void PreviewCanvas::ShowRemovedVertices(bool show) {
  view_.ShowRemovedVertices(show);
  Changed();
}

void PreviewCanvas::FitView() {
  view_.Fit(ScreenSize());
  Changed();
}

void PreviewCanvas::SetView(const ViewTransform& view) {
  view_.Move(view);
  Changed();
}

void PreviewCanvas::Changed() {
  picture_valid_ = false;
  update();
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (!picture_valid_ || picture_.size() != pixels) {
    picture_ = QImage(pixels, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    QPainter painter(&picture_);
    if (view_.content() != nullptr) {
      PaintPreview(painter, *view_.content(), view_.shows_output(), view_.shows_removed_vertices(),
                   View(), size());
    } else {
      painter.fillRect(rect(), kPreviewBackground);
    }
    picture_valid_ = true;
  }
  QPainter(this).drawImage(0, 0, picture_);
}

void PreviewCanvas::resizeEvent(QResizeEvent*) {
  view_.Resized(ScreenSize());
  Changed();
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
  const int units = event->angleDelta().y();
  if (units == 0) return;
  SetView(ZoomedView(View(), view::WheelZoomFactor(units), event->position(), size()));
  event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  drag_position_ = event->position().toPoint();
  setCursor(Qt::ClosedHandCursor);
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint position = event->position().toPoint();
  SetView(PannedView(View(), position - drag_position_));
  drag_position_ = position;
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = false;
  setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) FitView();
}

}  // namespace quillmere
