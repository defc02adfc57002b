#pragma once

#include <windows.h>

#include "app/presenter/shown_texts.h"
#include "app/presenter/translation_editor.h"
#include "app/win/string_grid.h"
#include "app/win/win_boxes.h"
#include "app/win/win_window.h"
#include "i18n/translation_table.h"

namespace quillmere::win {

// The translation editor, drawn with the Windows API: the grid, the search
// bar and the buttons. What it does is the presenter's (TranslationEditor);
// Esc presses "Zeile löchen", the window's cancel button, and Delete in the
// grid deletes the row too. Modal.
class TranslateWindow {
 public:
  explicit TranslateWindow(const ShownTexts& texts);

  void ShowModal(HWND owner);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Create(HWND owner);
  void ApplyDpi();
  void Layout();

  const ShownTexts& texts_;
  StringGrid grid_;
  BoxQuestions questions_;
  TranslationEditor editor_{grid_, questions_, texts_};
  HWND window_ = nullptr;
  HWND back_button_ = nullptr;
  HWND filter_edit_ = nullptr;
  HWND filter_button_ = nullptr;
  HWND delete_button_ = nullptr;
  HWND fixed_check_ = nullptr;
  HWND status_bar_ = nullptr;
  OwnedFont font_;
  int dpi_ = 96;
};

}  // namespace quillmere::win
