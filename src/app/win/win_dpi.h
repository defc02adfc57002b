#pragma once

#include <windows.h>

namespace quillmere::win {

// The windows are designed in pixels of a 96-dpi screen and scaled to the
// monitor they are on; each window follows its monitor when it moves.
inline constexpr int kDesignDpi = 96;

// Asks Windows to leave the scaling to the program, per monitor, where the
// system can; older systems (and wine) fall back to system-wide awareness.
void MakeDpiAware();

// The dpi of the monitor `window` is on.
int DpiOf(HWND window);

// A length of the design scaled to `dpi`.
inline int Scaled(int design_pixels, int dpi) { return ::MulDiv(design_pixels, dpi, kDesignDpi); }

// The windows' font: Tahoma, 8 point, at `dpi`; `points` and `bold` for
// titles. The caller deletes it.
HFONT CreateWindowFont(int dpi, int points = 8, bool bold = false);

// Sets `font` on `window` and every control in it.
void SetFontOnAll(HWND window, HFONT font);

// The size of `text` written in `font`.
SIZE TextSize(HFONT font, const wchar_t* text);

// Places a top-level window of `width` x `height` wholly inside the work
// area of the monitor nearest to `near_window` (or the primary one):
// centred where it fits, at the area's top-left corner where it does not.
void PlaceOnScreen(HWND window, int width, int height, HWND near_window);

}  // namespace quillmere::win
