#pragma once

#include <windows.h>

#include "app/presenter/shown_texts.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// The About box: the program's picture, its name and version, a copyright
// line whose "XXXX" becomes the current year when the box is first shown,
// a line on what it does, and an OK button. Modal; OK, Esc and closing hide
// it again.
class AboutWindow {
 public:
  explicit AboutWindow(const ShownTexts& texts) : texts_(texts) {}

  void ShowModal(HWND owner);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Create(HWND owner);
  void Layout();

  const ShownTexts& texts_;
  HWND window_ = nullptr;
  HWND picture_ = nullptr;
  HWND name_ = nullptr;
  HWND version_ = nullptr;
  HWND copyright_ = nullptr;
  HWND comments_ = nullptr;
  HWND ok_ = nullptr;
  OwnedFont font_;
  OwnedFont title_font_;
  int dpi_ = 96;
};

}  // namespace quillmere::win
