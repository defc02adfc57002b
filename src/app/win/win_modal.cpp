#include "app/win/win_modal.h"

namespace quillmere::win {

namespace {

// One message: dialog keys for the active window first.
bool Dispatch(MSG& message) {
  const HWND active = ::GetActiveWindow();
  if (active != nullptr && ::IsDialogMessageW(active, &message)) return true;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
  return true;
}

}  // namespace

int RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

void RunModal(HWND window, HWND owner) {
  if (owner != nullptr) ::EnableWindow(owner, FALSE);
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  MSG message{};
  while (::IsWindowVisible(window)) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the loop above must see the quit too.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  if (owner != nullptr) {
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
  }
}

}  // namespace quillmere::win
