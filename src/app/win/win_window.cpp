#include "app/win/win_window.h"

#include "app/win/win_dpi.h"
#include "app/win/win_text.h"

namespace quillmere::win {

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         const WindowClassLook& look) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = look.style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = ::LoadCursorW(nullptr, look.cursor);
  window_class.hbrBackground = look.ground;
  window_class.lpszClassName = name;
  ::RegisterClassExW(&window_class);
}

HWND AddChild(HWND parent, const wchar_t* kind, DWORD style, int id, std::u16string_view text,
              DWORD extended_style) {
  return ::CreateWindowExW(extended_style, kind, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

void MoveDialogFocus(HWND window, WPARAM w, LPARAM l) {
  HWND next = nullptr;
  if (LOWORD(l) != 0) {
    next = reinterpret_cast<HWND>(w);
  } else {
    next = ::GetNextDlgTabItem(window, ::GetFocus(), w != 0 ? TRUE : FALSE);
  }
  if (next == nullptr) return;
  ::SetFocus(next);
  if (::SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    ::SendMessageW(next, EM_SETSEL, 0, -1);
  }
}

void TakeSuggestedFrame(HWND window, LPARAM l) {
  const auto* const suggested = reinterpret_cast<const RECT*>(l);
  ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceWithClientSize(HWND window, int width, int height, bool with_menu, HWND near_window) {
  RECT frame{0, 0, width, height};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)),
                       with_menu ? TRUE : FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)));
  PlaceOnScreen(window, frame.right - frame.left, frame.bottom - frame.top, near_window);
}

}  // namespace quillmere::win
