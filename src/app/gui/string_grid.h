#pragma once

#include <memory>

#include <QString>
#include <QTableView>
#include <QTableWidget>

#include "app/presenter/translation_editor.h"

namespace quillmere {

// A grid of text cells addressed as a string grid: Cell(column, row), with
// row 0 the heading row. The heading row is the table's horizontal header,
// so it stays in place and can be neither selected nor edited; grid row g
// (from 1) is row g - 1 of the table below it.
//
// Editing a cell reports every change of its text through EditTextChanged,
// once per keystroke, with the text already stored in the cell; the text is
// reported once more when the editing ends with the text kept.
//
// Fixed columns stay in place when the grid scrolls sideways and cannot be
// edited. They are hidden in the grid itself, so neither the keyboard nor
// the editor reaches them, and shown by a second view over the grid's left
// edge. That view sits in the room of the grid's row header, which is shown
// only to make that room and is covered completely.
class StringGrid : public QTableWidget, public GridView {
  Q_OBJECT

 public:
  StringGrid(int columns, QWidget* parent);
  ~StringGrid() override;

  // Rows, the heading row included; at least 1.
  int RowCount() const { return rowCount() + 1; }
  void SetRowCount(int rows) override;
  int ColCount() const { return columnCount(); }

  // The text of a cell; row 0 is the heading row.
  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);
  void SetCell(int column, int row, const std::u16string& text) override {
    SetCell(column, row, QString::fromStdU16String(text));
  }

  // The row of the current cell; 0 when there is none.
  int Row() const override { return currentRow() + 1; }
  void SetRow(int row) override;

  // Makes a cell current and the only one selected. A heading cell cannot
  // be selected; the selection is then cleared.
  void SelectCell(int column, int row) override;

  // Scrolls so that `row` is the first row below the heading row and
  // `column` the leftmost of the columns that scroll, as far as the grid can
  // scroll. The heading row counts as row 1 here; a fixed column leaves the
  // sideways position as it is.
  void ScrollToTopLeft(int column, int row) override;
  // The first row shown below the heading row, and the leftmost column
  // shown right of the fixed ones; 0 and -1 without rows or columns.
  int TopRow() const { return rowAt(0) + 1; }
  int LeftCol() const { return columnAt(0); }

  int FixedCols() const { return fixed_cols_; }
  void SetFixedCols(int count) override;
  // The view that shows the fixed columns.
  const QTableView& FixedColumnsView() const { return fixed_view_; }

  bool IsEditing() const override { return state() == QAbstractItemView::EditingState; }

 signals:
  // The text of a cell being edited; `row` counts the heading row.
  void EditTextChanged(int column, int row, const QString& text);

 protected:
  void updateGeometries() override;
  // A fixed cell is never edited.
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

 private:
  void StoreEditText(const QModelIndex& index, const QString& text);
  void PlaceFixedColumnsView();

  int fixed_cols_ = 0;
  std::unique_ptr<QAbstractItemDelegate> delegate_;
  QTableView fixed_view_{this};
};

}  // namespace quillmere
