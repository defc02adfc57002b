#include "app/gui/string_grid.h"

#include <algorithm>
#include <functional>

#include <QHeaderView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace quillmere {

namespace {

// The cell editor of the grid: reports every text the user gives the cell
// while editing, and the text once more when the editing ends with it kept.
class EditTextDelegate : public QStyledItemDelegate {
 public:
  using Report = std::function<void(const QModelIndex& cell, const QString& text)>;

  explicit EditTextDelegate(Report report) : report_(std::move(report)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* const editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      const QPersistentModelIndex cell(index);
      connect(line, &QLineEdit::textEdited, line, [this, cell](const QString& text) {
        if (cell.isValid()) report_(cell, text);
      });
    }
    return editor;
  }

  // Each keystroke stores the text in the cell, which hands it back to the
  // open editor; setting the same text again would move the cursor to its
  // end.
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    const auto* line = qobject_cast<const QLineEdit*>(editor);
    if (line != nullptr && line->text() == index.data(Qt::EditRole).toString()) return;
    QStyledItemDelegate::setEditorData(editor, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (const auto* line = qobject_cast<const QLineEdit*>(editor)) report_(index, line->text());
  }

 private:
  Report report_;
};

}  // namespace

StringGrid::StringGrid(int columns, QWidget* parent)
    : QTableWidget(0, columns, parent),
      delegate_(std::make_unique<EditTextDelegate>(
          [this](const QModelIndex& cell, const QString& text) { StoreEditText(cell, text); })) {
  // Heading cells of the grid's own, empty until written: without them Qt
  // would show column numbers.
  setHorizontalHeaderLabels(QStringList(columns, QString()));
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsClickable(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionsClickable(false);
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerItem);
  setWordWrap(false);  // one line per cell; longer texts are cut short
  setItemDelegate(delegate_.get());

  fixed_view_.setObjectName(QStringLiteral("FixedColumns"));
  fixed_view_.setModel(model());
  fixed_view_.setSelectionModel(selectionModel());
  fixed_view_.setFrameShape(QFrame::NoFrame);
  fixed_view_.setFocusPolicy(Qt::NoFocus);
  fixed_view_.setEditTriggers(NoEditTriggers);
  // Clicks fall through to the covered row header, which ignores them: a
  // fixed cell cannot become current.
  fixed_view_.setAttribute(Qt::WA_TransparentForMouseEvents);
  fixed_view_.verticalHeader()->hide();
  fixed_view_.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  fixed_view_.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  fixed_view_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixed_view_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixed_view_.setVerticalScrollMode(ScrollPerItem);
  fixed_view_.setWordWrap(false);
  QPalette fixed_colours = fixed_view_.palette();
  fixed_colours.setColor(QPalette::Base, fixed_colours.color(QPalette::Button));
  fixed_view_.setPalette(fixed_colours);
  fixed_view_.hide();
  connect(verticalScrollBar(), &QScrollBar::valueChanged, fixed_view_.verticalScrollBar(),
          &QScrollBar::setValue);
  connect(fixed_view_.verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
          &QScrollBar::setValue);
}

StringGrid::~StringGrid() = default;

void StringGrid::SetRowCount(int rows) {
  setRowCount(std::max(rows - 1, 0));
  // As in a string grid, some cell is current whenever there are rows.
  if (currentRow() < 0 && rowCount() > 0 && fixed_cols_ < columnCount()) {
    setCurrentCell(0, fixed_cols_);
  }
}

QString StringGrid::Cell(int column, int row) const {
  const QTableWidgetItem* const cell =
      row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
  return cell != nullptr ? cell->text() : QString();
}

void StringGrid::SetCell(int column, int row, const QString& text) {
  if (row == 0) {
    model()->setHeaderData(column, Qt::Horizontal, text);
    return;
  }
  // A cell that never held a text reads as empty already.
  if (text.isEmpty() && item(row - 1, column) == nullptr) return;
  model()->setData(model()->index(row - 1, column), text);
}

void StringGrid::SetRow(int row) {
  setCurrentCell(row - 1, std::max(currentColumn(), fixed_cols_));
}

void StringGrid::SelectCell(int column, int row) {
  if (row == 0) {
    clearSelection();
    return;
  }
  setCurrentCell(row - 1, column, QItemSelectionModel::ClearAndSelect);
}

void StringGrid::ScrollToTopLeft(int column, int row) {
  updateGeometries();  // the scroll ranges follow rows just filled in
  // Scrolling goes by whole rows and columns: a scroll bar's value is the
  // number of rows, or of scrolling columns, passed over.
  verticalScrollBar()->setValue(std::max(row - 1, 0));
  if (column >= fixed_cols_) horizontalScrollBar()->setValue(column - fixed_cols_);
}

void StringGrid::SetFixedCols(int count) {
  fixed_cols_ = std::clamp(count, 0, columnCount());
  fixed_view_.verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  int fixed_width = 0;
  for (int column = 0; column < columnCount(); ++column) {
    const bool fixed = column < fixed_cols_;
    setColumnHidden(column, fixed);
    fixed_view_.setColumnHidden(column, !fixed);
    if (fixed) {
      fixed_view_.setColumnWidth(column, horizontalHeader()->defaultSectionSize());
      fixed_width += fixed_view_.columnWidth(column);
    }
  }
  if (fixed_cols_ > 0) {
    verticalHeader()->setFixedWidth(fixed_width);
    verticalHeader()->show();
    fixed_view_.show();
    fixed_view_.raise();
  } else {
    verticalHeader()->hide();
    fixed_view_.hide();
  }
  if (currentColumn() < fixed_cols_ && rowCount() > 0 && fixed_cols_ < columnCount()) {
    setCurrentCell(std::max(currentRow(), 0), fixed_cols_);
  }
  updateGeometries();
}

void StringGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  PlaceFixedColumnsView();
}

bool StringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (index.column() < fixed_cols_) return false;
  return QTableWidget::edit(index, trigger, event);
}

void StringGrid::PlaceFixedColumnsView() {
  if (fixed_cols_ == 0) return;
  const QRect row_header = verticalHeader()->geometry();
  const QRect heading = horizontalHeader()->geometry();
  // Equal heading heights put the rows of both views on the same lines.
  fixed_view_.horizontalHeader()->setFixedHeight(heading.height());
  fixed_view_.setGeometry(row_header.left(), heading.top(), row_header.width(),
                          heading.height() + viewport()->height());
  fixed_view_.verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void StringGrid::StoreEditText(const QModelIndex& index, const QString& text) {
  model()->setData(index, text);
  emit EditTextChanged(index.column(), index.row() + 1, text);
}

}  // namespace quillmere
