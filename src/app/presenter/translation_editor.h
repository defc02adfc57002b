#pragma once

#include <string>
#include <string_view>

#include "app/presenter/questions.h"
#include "app/presenter/shown_texts.h"

namespace quillmere {

// The grid of the translation editor as the toolkit draws it: cells
// addressed (column, row), row 0 the heading row.
class GridView {
 public:
  virtual ~GridView() = default;

  // Rows, the heading row included.
  virtual void SetRowCount(int rows) = 0;
  virtual void SetCell(int column, int row, const std::u16string& text) = 0;
  // The row of the current cell; 0 when there is none.
  virtual int Row() const = 0;
  virtual void SetRow(int row) = 0;
  // Makes a cell current and the only one selected; a heading cell cannot
  // be selected, the selection is then cleared.
  virtual void SelectCell(int column, int row) = 0;
  // Scrolls so that `row` is the first row below the heading row and
  // `column` the leftmost of the columns that scroll, as far as it can.
  virtual void ScrollToTopLeft(int column, int row) = 0;
  // Fixed columns stay in place when the grid scrolls sideways and cannot
  // be edited.
  virtual void SetFixedCols(int count) = 0;
  // True while a cell is being edited.
  virtual bool IsEditing() const = 0;
};

// The translation editor's model, whatever draws it: the whole translation
// table in the grid, one grid row per table row (below the heading row) and
// one column per language. What the user types into a cell is stored in the
// table and saved at once; a row is deleted after a question whose default
// answer keeps it; a search finds a text anywhere in the grid; the first two
// columns can be held in place.
class TranslationEditor {
 public:
  static constexpr int kFixedColumnsWhenTicked = 2;  // German and English
  // The window's design in pixels of a 96-dpi screen: its inner size, the
  // grid's column width and the room around the text of a grid row.
  static constexpr int kWindowWidth = 705;
  static constexpr int kWindowHeight = 453;
  static constexpr int kColumnWidth = 250;
  static constexpr int kRowPadding = 8;

  // The questions carry the window's caption from `texts`.
  TranslationEditor(GridView& grid, Questions& questions, const ShownTexts& texts);

  void SetQuestions(Questions& questions) { questions_ = &questions; }

  // Writes the headings and every table row into the grid; runs before
  // every opening of the window.
  void Fill();
  // The text of a cell being edited changed (each keystroke, and once more
  // when the editing ends): it is stored and the table saved.
  void CellEdited(int column, int row, const std::u16string& text);
  // The Delete key in the grid: deletes the current row unless a cell is
  // being edited; false when the key is left to the grid.
  bool DeleteKey();
  // "Zeile löchen" and Esc: asks with the row's German text, No the
  // default, so that Esc then Return keeps it; Yes deletes the row. The
  // table is saved and the grid filled anew in every case.
  void DeleteRow();
  // "Suchen": every cell from the heading row on that holds `wanted`,
  // ignoring the case of the letters a to z only, is shown at the top left
  // and asked about; No ends the search. An empty text finds nothing.
  void Search(std::u16string_view wanted);
  // "Erste Spalte fixieren".
  void FixedColumnsTicked(bool ticked);

  // The heading of grid column `column`, in English: the language names,
  // then "language7" to "language19".
  static std::u16string ColumnHeading(int column);

 private:
  int RowCount() const;  // grid rows, the heading row included
  std::u16string GridCell(int column, int row) const;

  const std::u16string& Caption() const { return texts_.Caption(kTranslateWindow); }

  GridView& grid_;
  Questions* questions_;
  const ShownTexts& texts_;
  int filled_rows_ = 1;  // the grid's rows when it was last filled
};

}  // namespace quillmere
