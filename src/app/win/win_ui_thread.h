#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

#include "app/presenter/ui_thread.h"

namespace quillmere::win {

// The message that carries posted work to a window: lParam is a
// std::function<void()>* that the window runs and deletes (RunPosted).
inline constexpr UINT kRunPostedMessage = WM_APP + 1;

// Work posted to the thread of `window` as kRunPostedMessage. Window
// messages reach the window also while a box or a dialog runs its own
// message loop.
class WindowUiThread : public UiThread {
 public:
  void SetWindow(HWND window) { window_ = window; }

  void Post(std::function<void()> work) override {
    auto posted = std::make_unique<std::function<void()>>(std::move(work));
    if (::PostMessageW(window_, kRunPostedMessage, 0, reinterpret_cast<LPARAM>(posted.get()))) {
      posted.release();
    }
  }

 private:
  HWND window_ = nullptr;
};

// Runs and deletes the work of a kRunPostedMessage.
inline void RunPosted(LPARAM l) {
  const std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(l));
  (*work)();
}

// Deletes the work still posted to `window` as it goes away, unrun.
inline void DropPosted(HWND window) {
  MSG message{};
  while (::PeekMessageW(&message, window, kRunPostedMessage, kRunPostedMessage, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(message.lParam);
  }
}

}  // namespace quillmere::win
