#include "app/gui/window_placement.h"

#include <algorithm>

#include <QScreen>

namespace quillmere {

namespace {

// Room for the frame, which is known only once the window is shown: a title
// bar and the borders.
constexpr QSize kFrameAllowance{8, 40};

}  // namespace

QSize SizeOnScreen(const QWidget& window, QSize wanted) {
  const QSize room = window.screen()->availableGeometry().size() - kFrameAllowance;
  return wanted.boundedTo(room).expandedTo(window.minimumSizeHint());
}

void PlaceOnScreen(QWidget& window) {
  const QRect area = window.screen()->availableGeometry();
  const QSize frame = window.frameGeometry().size().expandedTo(window.size() + kFrameAllowance);
  const int left = area.left() + (area.width() - frame.width()) / 2;
  const int top = area.top() + (area.height() - frame.height()) / 2;
  window.move(std::max(left, area.left()), std::max(top, area.top()));
}

}  // namespace quillmere
