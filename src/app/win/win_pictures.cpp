#include "app/win/win_pictures.h"

#include <algorithm>

#include "app/presenter/job_button_picture.h"
#include "app/win/win_dpi.h"

namespace quillmere::win {

namespace {

constexpr COLORREF kTransparent = RGB(0xFF, 0x00, 0xFF);

COLORREF PaletteColour(char code, bool greyed) {
  const PictureRgb colour = CheckMarkColour(code);
  return greyed ? RGB(0x80, 0x80, 0x80) : RGB(colour.red, colour.green, colour.blue);
}

// Design pixel (x, y) of the picture at `dpi`: from the scaled place of its
// corner to that of the next one, so that fractional scales keep the shape.
void FillPixel(HDC dc, int x, int y, int dpi, COLORREF colour) {
  const RECT square{Scaled(x, dpi), Scaled(y, dpi), Scaled(x + 1, dpi), Scaled(y + 1, dpi)};
  const HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &square, brush);
  ::DeleteObject(brush);
}

// The check mark at `dpi`. The greyed one is a grey shape over a white
// highlight one pixel lower right.
HBITMAP CheckMarkBitmap(int dpi, bool greyed) {
  const HDC screen = ::GetDC(nullptr);
  const HDC dc = ::CreateCompatibleDC(screen);
  const int width = Scaled(kCheckMarkWidth, dpi);
  const int height = Scaled(kCheckMarkHeight, dpi);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  ::ReleaseDC(nullptr, screen);
  const HGDIOBJ old = ::SelectObject(dc, bitmap);
  const RECT all{0, 0, width, height};
  const HBRUSH ground = ::CreateSolidBrush(kTransparent);
  ::FillRect(dc, &all, ground);
  ::DeleteObject(ground);
  for (int pass = greyed ? 0 : 1; pass < 2; ++pass) {
    for (int y = 0; y < kCheckMarkHeight; ++y) {
      for (int x = 0; x < kCheckMarkWidth; ++x) {
        const char code = kCheckMarkRows[y][x];
        if (code == '.') continue;
        if (pass == 0) {
          if (x + 1 < kCheckMarkWidth && y + 1 < kCheckMarkHeight) {
            FillPixel(dc, x + 1, y + 1, dpi, RGB(0xFF, 0xFF, 0xFF));
          }
        } else {
          FillPixel(dc, x, y, dpi, PaletteColour(code, greyed));
        }
      }
    }
  }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return bitmap;
}

}  // namespace

HIMAGELIST JobButtonImages(int dpi) {
  HIMAGELIST images = ::ImageList_Create(Scaled(kCheckMarkWidth, dpi), Scaled(kCheckMarkHeight, dpi),
                                         ILC_COLOR24 | ILC_MASK, 6, 0);
  // Normal, hot, pressed, disabled, default, stylus hot. Each from a bitmap
  // of its own: adding one blackens its transparent pixels.
  for (int state = 0; state < 6; ++state) {
    const HBITMAP picture = CheckMarkBitmap(dpi, state == 3);
    ::ImageList_AddMasked(images, picture, kTransparent);
    ::DeleteObject(picture);
  }
  return images;
}

HIMAGELIST HelpButtonImages(int dpi) {
  const int size = Scaled(16, dpi);
  HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
  const HICON icon = ::LoadIconW(nullptr, IDI_QUESTION);
  ::ImageList_AddIcon(images, icon);
  return images;
}

void SetButtonImages(HWND button, HIMAGELIST images) {
  BUTTON_IMAGELIST list{};
  list.himl = images;
  list.margin = RECT{4, 0, 0, 0};
  list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  ::SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

}  // namespace quillmere::win
