#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string_view>

#include "app/win/win_text.h"

namespace quillmere::win {

// How a window class differs from a dialog's: the class style, the cursor
// over it, and its ground (nullptr for a window that paints all of itself).
struct WindowClassLook {
  UINT style = 0;
  const wchar_t* cursor = IDC_ARROW;
  HBRUSH ground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

// Registers the class `name`, whose windows `procedure` serves.
void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         const WindowClassLook& look = {});

// Creates a visible control of class `kind` in `parent` with `style` (besides
// WS_CHILD and WS_VISIBLE), the id `id` and `text`; the window that holds it
// places it.
HWND AddChild(HWND parent, const wchar_t* kind, DWORD style, int id, std::u16string_view text = {},
              DWORD extended_style = 0);

// The procedure of windows that belong to an object of type T, which passes
// itself as the creation parameter. Messages go to T::Handle once the
// object holds its handle in `window_`; those sent while CreateWindowExW
// runs are handled by Windows' defaults. T makes this a friend.
template <typename T>
LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  }
  auto* const self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) return ::DefWindowProcW(window, message, w, l);
  return self->Handle(message, w, l);
}

// Registers the class `class_name` for the windows of objects of type T and
// creates one for `object` with `caption`, `style` and, for a control, `id`
// in `parent`; the window places itself later.
template <typename T>
HWND CreateObjectWindow(T& object, const wchar_t* class_name, DWORD extended_style,
                        std::u16string_view caption, DWORD style, HWND parent, int id = 0,
                        const WindowClassLook& look = {}) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, class_name, ObjectProcedure<T>, look);
  return ::CreateWindowExW(extended_style, class_name, Wide(caption).c_str(), style, 0, 0, 100, 100,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &object);
}

// WM_NEXTDLGCTL for a window that is no dialog, as a dialog answers it: the
// keyboard's own navigation sends it, for instance when Alt and a label's
// letter move the focus to the label and then on to the field after it.
// With `l` not 0, `w` is the control to focus; otherwise the focus moves to
// the next control with a tab stop (`w` 0) or the previous one. An edit
// field that gets the focus has its text selected.
void MoveDialogFocus(HWND window, WPARAM w, LPARAM l);

// Moves `window` to the frame that WM_DPICHANGED suggests in its `l`.
void TakeSuggestedFrame(HWND window, LPARAM l);

// Places the top-level `window` with a client area of `width` x `height`
// (beneath a menu bar when `with_menu`) as PlaceOnScreen does.
void PlaceWithClientSize(HWND window, int width, int height, bool with_menu, HWND near_window);

// A handle the holder owns: deleted by `Delete` when it is replaced or the
// holder goes. It stands for the handle where one is wanted.
template <typename Handle, auto Delete>
class Owned {
 public:
  Owned() = default;
  ~Owned() { Reset(nullptr); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  // Takes `handle` in place of the one held; returns it.
  Handle Reset(Handle handle) {
    if (handle_ != nullptr) Delete(handle_);
    handle_ = handle;
    return handle_;
  }
  operator Handle() const { return handle_; }

 private:
  Handle handle_ = nullptr;
};
using OwnedFont = Owned<HFONT, ::DeleteObject>;
using OwnedBitmap = Owned<HBITMAP, ::DeleteObject>;
using OwnedImages = Owned<HIMAGELIST, ::ImageList_Destroy>;

// The drawing of one WM_PAINT, between BeginPaint and EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintScope() { ::EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace quillmere::win
