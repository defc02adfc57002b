#pragma once

#include <QSize>
#include <QWidget>

namespace quillmere {

// Windows open wholly on the screen, whatever its size and scale factor.

// `wanted`, made as small as the available area of the window's screen
// needs to hold the window with the frame a window manager puts around it,
// but never smaller than the window's smallest size.
QSize SizeOnScreen(const QWidget& window, QSize wanted);

// Moves the window into the available area of its screen: centred where it
// fits, at the area's top-left corner where it does not, so that its title,
// menu and buttons can always be reached.
void PlaceOnScreen(QWidget& window);

}  // namespace quillmere
