#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/presenter/translation_editor.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// A grid of text cells addressed as a string grid: Cell(column, row), with
// row 0 the heading row, which stays in place and is neither selected nor
// edited. Fixed columns stay in place when the grid scrolls sideways and
// cannot be edited either.
//
// A range of cells is selected with Shift and the arrow keys or a click.
// Typing into the current cell, F2, Return or a double click edit it in
// place; every change of the text is reported through `edit_text_changed`,
// once per keystroke, and once more when the editing ends.
class StringGrid : public GridView {
 public:
  using EditTextChanged = std::function<void(int column, int row, const std::u16string& text)>;
  // Keys the grid leaves to its window, such as Delete outside editing;
  // true when the window has handled the key.
  using KeyDown = std::function<bool(WPARAM key)>;

  StringGrid(int columns, EditTextChanged edit_text_changed, KeyDown key_down);
  ~StringGrid() override;
  StringGrid(const StringGrid&) = delete;
  StringGrid& operator=(const StringGrid&) = delete;

  void Create(HWND parent, int id);
  HWND handle() const { return window_; }
  void SetMetrics(HFONT font, int column_width, int row_height);

  int RowCount() const { return static_cast<int>(cells_.size()); }
  void SetRowCount(int rows) override;
  int ColCount() const { return columns_; }
  const std::u16string& Cell(int column, int row) const { return cells_[row][column]; }
  void SetCell(int column, int row, const std::u16string& text) override;

  int Row() const override { return current_row_; }
  void SetRow(int row) override;
  void SelectCell(int column, int row) override;
  // Scrolls so that `row` is the first row below the heading row and
  // `column` the leftmost of the scrolling ones, as far as the grid can.
  void ScrollToTopLeft(int column, int row) override;

  int FixedCols() const { return fixed_cols_; }
  void SetFixedCols(int count) override;
  bool IsEditing() const override { return editor_ != nullptr; }

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                          UINT_PTR id, DWORD_PTR grid);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Paint(HDC dc);
  void KeyPressed(WPARAM key);
  void MoveCurrent(int column, int row);
  void BeginEdit(const std::u16string* typed);
  void EndEdit();
  void UpdateScrollBars();
  void Scroll(int bar, WPARAM request);
  RECT CellRect(int column, int row) const;
  bool CellAt(POINT point, int& column, int& row) const;
  int VisibleRows() const;
  int VisibleCols() const;
  void ShowCurrent();
  bool Selected(int column, int row) const;

  int columns_;
  EditTextChanged edit_text_changed_;
  KeyDown key_down_;
  std::vector<std::vector<std::u16string>> cells_;
  HWND window_ = nullptr;
  HWND editor_ = nullptr;
  HFONT font_ = nullptr;
  int column_width_ = 250;
  int row_height_ = 20;
  int fixed_cols_ = 0;
  int top_row_ = 1;    // first row shown below the heading row
  int left_col_ = 0;   // first scrolling column shown
  int current_col_ = 0;
  int current_row_ = 0;  // 0: none
  int anchor_col_ = 0;   // where the selection began
  int anchor_row_ = 0;
  int edit_col_ = 0;
  int edit_row_ = 0;
};

}  // namespace quillmere::win
