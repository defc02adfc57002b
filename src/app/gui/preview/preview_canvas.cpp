#include "app/gui/preview/preview_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/gui/preview/drawing_painter.h"

namespace quillmere {

namespace {

view::ViewPoint PointOf(const QMouseEvent* event) {
  return {event->position().x(), event->position().y()};
}

}  // namespace

PreviewCanvas::PreviewCanvas(PreviewPresenter& presenter, QWidget* parent)
    : QWidget(parent), presenter_(presenter) {
  setMinimumSize(200, 150);
  setCursor(Qt::OpenHandCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

view::ViewSize PreviewCanvas::ScreenSize() const {
  return {static_cast<double>(width()), static_cast<double>(height())};
}

void PreviewCanvas::Redraw() {
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
    PaintPreview(painter, presenter_.shown(), size());
    picture_valid_ = true;
  }
  QPainter(this).drawImage(0, 0, picture_);
}

void PreviewCanvas::resizeEvent(QResizeEvent*) { presenter_.CanvasResized(); }

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
  presenter_.Wheel(event->angleDelta().y(), {event->position().x(), event->position().y()});
  event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  presenter_.Press(PointOf(event));
  setCursor(Qt::ClosedHandCursor);
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) { presenter_.Drag(PointOf(event)); }

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  presenter_.Release();
  setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) presenter_.FitView();
}

}  // namespace quillmere
