#include "app/gui/translate_form.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>

#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"
#include "app/gui/window_translator.h"
#include "i18n/translation_file.h"
#include "i18n/translations.h"

namespace quillmere {

namespace {

constexpr int kClientWidth = 705;
constexpr int kClientHeight = 453;
constexpr int kColumnWidth = 250;
constexpr int kRowPadding = 8;  // room around the text of a grid row
constexpr int kFilterEditWidth = 200;

// The heading of a grid column: the language of table column `column`.
// Written in English each time the grid is filled.
QString ColumnHeading(int column) {
  static const char* const kLanguages[] = {"German",  "English", "Français",  "Nederlands",
                                           "Italian", "Spanish", "Portuguese"};
  if (column < static_cast<int>(std::size(kLanguages))) {
    return QString::fromUtf8(kLanguages[column]);
  }
  return QStringLiteral("language%1").arg(column);
}

// The search ignores the case of the letters a to z only; every other
// character, umlauts included, must match exactly.
QString WithUpperCaseAToZ(QString text) {
  for (QChar& unit : text) {
    if (unit >= QLatin1Char('a') && unit <= QLatin1Char('z')) {
      unit = QChar(unit.unicode() - u'a' + u'A');
    }
  }
  return text;
}

int TableRowCount() {
  const TranslationTable* const table = ActiveTranslationTable();
  return table != nullptr ? static_cast<int>(table->RowCount()) : 0;
}

QString TableCell(int row, int column) {
  const std::u16string_view text =
      ActiveTranslationTable()->Cell(static_cast<std::uint32_t>(row), column);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TTranslateForm::TTranslateForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TranslateForm"));
  setWindowTitle(TableCaption(kTranslateWindow));
  setFont(WindowFont());
  setModal(true);
  BuildBars();
  BuildGrid();
  StatusBar1.setObjectName(QStringLiteral("StatusBar1"));

  window_layout_.setContentsMargins(0, 0, 0, 0);
  window_layout_.setSpacing(0);
  window_layout_.addWidget(&Panel1);
  window_layout_.addWidget(&Panel2);
  window_layout_.addWidget(&StringGrid1, 1);
  window_layout_.addWidget(&StatusBar1);

  resize(kClientWidth, kClientHeight);
  move(screen()->geometry().center() - rect().center());
}

void TTranslateForm::BuildBars() {
  Panel1.setObjectName(QStringLiteral("Panel1"));
  Panel2.setObjectName(QStringLiteral("Panel2"));
  BackBtn.setObjectName(QStringLiteral("BackBtn"));
  BackBtn.setText(TableText(kTranslateWindow, "BackBtn"));
  back_bar_.addWidget(&BackBtn);
  back_bar_.addStretch();

  FilterEdit.setObjectName(QStringLiteral("FilterEdit"));
  FilterEdit.setMinimumWidth(kFilterEditWidth);
  FilterBtn.setObjectName(QStringLiteral("FilterBtn"));
  FilterBtn.setText(TableText(kTranslateWindow, "FilterBtn"));
  DeleteRowBtn.setObjectName(QStringLiteral("DeleteRowBtn"));
  DeleteRowBtn.setText(TableText(kTranslateWindow, "DeleteRowBtn"));
  FixedColCheck.setObjectName(QStringLiteral("FixedColCheck"));
  FixedColCheck.setText(TableText(kTranslateWindow, "FixedColCheck"));
  filter_bar_.addWidget(&FilterEdit);
  filter_bar_.addWidget(&FilterBtn);
  filter_bar_.addWidget(&DeleteRowBtn);
  filter_bar_.addWidget(&FixedColCheck);
  filter_bar_.addStretch();

  // No button is the default one: Return in the search field must not
  // press a button.
  for (QPushButton* button : {&BackBtn, &FilterBtn, &DeleteRowBtn}) button->setAutoDefault(false);
  connect(&BackBtn, &QPushButton::clicked, this, &TTranslateForm::BackBtnClick);
  connect(&FilterBtn, &QPushButton::clicked, this, &TTranslateForm::FilterBtnClick);
  connect(&DeleteRowBtn, &QPushButton::clicked, this, &TTranslateForm::DeleteRowBtnClick);
  connect(&FixedColCheck, &QCheckBox::toggled, this, &TTranslateForm::FixedColCheckClick);
}

void TTranslateForm::BuildGrid() {
  StringGrid1.setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1.horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  StringGrid1.verticalHeader()->setDefaultSectionSize(StringGrid1.fontMetrics().height() +
                                                      kRowPadding);
  StringGrid1.setShowGrid(true);
  StringGrid1.setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1.setEditTriggers(QAbstractItemView::DoubleClicked |
                              QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
  StringGrid1.installEventFilter(this);
  connect(&StringGrid1, &StringGrid::EditTextChanged, this,
          &TTranslateForm::StringGrid1SetEditText);
}

QObjectList TTranslateForm::Components() {
  return {&Panel1,       &BackBtn,       &Panel2,      &FilterEdit, &FilterBtn,
          &DeleteRowBtn, &FixedColCheck, &StringGrid1, &StatusBar1};
}

void TTranslateForm::FillStringGrid() {
  const int rows = TableRowCount();
  StringGrid1.SetRowCount(rows + 1);
  for (int column = 0; column < kTranslationColumns; ++column) {
    StringGrid1.SetCell(column, 0, ColumnHeading(column));
  }
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < kTranslationColumns; ++column) {
      StringGrid1.SetCell(column, row + 1, TableCell(row, column));
    }
  }
}

void TTranslateForm::StringGrid1SetEditText(int column, int row, const QString& text) {
  if (row >= 1 && row <= TableRowCount()) {
    ReplaceTranslationCell(static_cast<std::uint32_t>(row - 1), column, text.toStdU16String());
  }
  SaveTranslations();
}

bool TTranslateForm::StringGrid1KeyDown(int key) {
  if (key != Qt::Key_Delete || StringGrid1.IsEditing()) return false;
  DeleteRowBtnClick();
  return true;
}

void TTranslateForm::DeleteRowBtnClick() {
  const int row = StringGrid1.Row();
  if (row >= 1 && row <= TableRowCount()) {
    const QuestionBoxes::Answer answer =
        questions_->AskYesNoCancel(windowTitle(), TableCell(row - 1, 0), this);
    if (answer == QuestionBoxes::Answer::kYes) {
      DeleteTranslationRow(static_cast<std::uint32_t>(row - 1));
    }
  }
  SaveTranslations();
  FillStringGrid();
  if (row <= StringGrid1.RowCount() - 1) StringGrid1.SetRow(row);
}

void TTranslateForm::FilterBtnClick() {
  const QString wanted = WithUpperCaseAToZ(FilterEdit.text());
  if (wanted.isEmpty()) return;  // an empty search text matches no cell
  for (int row = 0; row < StringGrid1.RowCount(); ++row) {
    for (int column = 0; column < StringGrid1.ColCount(); ++column) {
      if (!WithUpperCaseAToZ(StringGrid1.Cell(column, row)).contains(wanted)) continue;
      StringGrid1.SelectCell(column, row);
      StringGrid1.ScrollToTopLeft(column, row);
      if (!questions_->AskYesNo(windowTitle(), TranslatedText(FromTable(kSearchOnQuestion)),
                                this)) {
        return;
      }
    }
  }
}

void TTranslateForm::FixedColCheckClick() {
  StringGrid1.SetFixedCols(FixedColCheck.isChecked() ? kFixedColumnsWhenTicked : 0);
}

void TTranslateForm::BackBtnClick() { close(); }

void TTranslateForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    DeleteRowBtn.click();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TTranslateForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &StringGrid1 && event->type() == QEvent::KeyPress &&
      StringGrid1KeyDown(static_cast<QKeyEvent*>(event)->key())) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quillmere
