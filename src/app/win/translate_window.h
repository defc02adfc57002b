#pragma once

#include <windows.h>

#include "app/presenter/shown_texts.h"
#include "app/win/string_grid.h"
#include "i18n/translation_table.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// The translation editor: the whole translation table in a grid, one row
// per table row and one column per language. What the user types into a
// cell is stored in the table and saved at once; rows can be deleted (the
// button, Esc, or Delete in the grid), a search finds a text anywhere in
// the grid, and the first two columns can be held in place. The grid is
// filled anew from the table before every opening. Modal.
class TranslateWindow {
 public:
  static constexpr int kFixedColumnsWhenTicked = 2;  // German and English

  explicit TranslateWindow(const ShownTexts& texts);
  ~TranslateWindow();
  TranslateWindow(const TranslateWindow&) = delete;
  TranslateWindow& operator=(const TranslateWindow&) = delete;

  void ShowModal(HWND owner);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Create(HWND owner);
  void ApplyDpi();
  void Layout();

  void FillStringGrid();
  void StringGrid1SetEditText(int column, int row, const std::u16string& text);
  bool StringGrid1KeyDown(WPARAM key);
  void DeleteRowBtnClick();
  void FilterBtnClick();
  void FixedColCheckClick();

  const ShownTexts& texts_;
  StringGrid grid_;
  HWND window_ = nullptr;
  HWND back_button_ = nullptr;
  HWND filter_edit_ = nullptr;
  HWND filter_button_ = nullptr;
  HWND delete_button_ = nullptr;
  HWND fixed_check_ = nullptr;
  HWND status_bar_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
};

}  // namespace quillmere::win
