#pragma once

#include <windows.h>
#include <commctrl.h>

namespace quillmere::win {

// The pictures of the main window's buttons at `dpi`, as the image lists
// that push buttons show beside their text: one picture per button state,
// the disabled state greyed. The caller destroys them.
HIMAGELIST JobButtonImages(int dpi);
// The system's question-mark icon, the standard help picture.
HIMAGELIST HelpButtonImages(int dpi);

// Gives `button` the pictures of `images`, left of its text.
void SetButtonImages(HWND button, HIMAGELIST images);

}  // namespace quillmere::win
