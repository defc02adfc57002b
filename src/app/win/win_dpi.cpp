#include "app/win/win_dpi.h"

#include <algorithm>

namespace quillmere::win {

namespace {

using SetContextFunction = BOOL(WINAPI*)(HANDLE);
using DpiForWindowFunction = UINT(WINAPI*)(HWND);

HMODULE User32() { return ::GetModuleHandleW(L"user32.dll"); }

}  // namespace

void MakeDpiAware() {
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, looked up at run time so
  // that the program also starts where the call does not exist.
  const auto set_context = reinterpret_cast<SetContextFunction>(
      reinterpret_cast<void*>(::GetProcAddress(User32(), "SetProcessDpiAwarenessContext")));
  if (set_context != nullptr && set_context(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) {
    return;
  }
  ::SetProcessDPIAware();
}

int DpiOf(HWND window) {
  static const auto dpi_for_window = reinterpret_cast<DpiForWindowFunction>(
      reinterpret_cast<void*>(::GetProcAddress(User32(), "GetDpiForWindow")));
  if (dpi_for_window != nullptr && window != nullptr) {
    const UINT dpi = dpi_for_window(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

HFONT CreateWindowFont(int dpi, int points, bool bold) {
  return ::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                       FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

void SetFontOnAll(HWND window, HFONT font) {
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM font_value) -> BOOL {
        ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font_value), TRUE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font));
}

SIZE TextSize(HFONT font, const wchar_t* text) {
  const HDC dc = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text, static_cast<int>(::wcslen(text)), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return size;
}

void PlaceOnScreen(HWND window, int width, int height, HWND near_window) {
  const HMONITOR monitor = near_window != nullptr
                               ? ::MonitorFromWindow(near_window, MONITOR_DEFAULTTONEAREST)
                               : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(monitor, &info);
  const RECT area = info.rcWork;
  const int left = std::max<int>(area.left, area.left + (area.right - area.left - width) / 2);
  const int top = std::max<int>(area.top, area.top + (area.bottom - area.top - height) / 2);
  ::SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillmere::win
