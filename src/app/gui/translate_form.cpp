#include "app/gui/translate_form.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>

#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"

namespace quillmere {

namespace {

constexpr int kFilterEditWidth = 200;

}  // namespace

TTranslateForm::TTranslateForm(const ShownTexts& texts, QWidget* parent)
    : QDialog(parent), editor_(StringGrid1, toolkit_questions_, texts) {
  setFont(WindowFont());
  setModal(true);
  NameComponents(*this, kTranslateWindow, Components());
  BuildBars();
  BuildGrid();
  ShowWindowTexts(*this, kTranslateWindow, Components(), texts);

  window_layout_.setContentsMargins(0, 0, 0, 0);
  window_layout_.setSpacing(0);
  window_layout_.addWidget(&Panel1);
  window_layout_.addWidget(&Panel2);
  window_layout_.addWidget(&StringGrid1, 1);
  window_layout_.addWidget(&StatusBar1);

  resize(TranslationEditor::kWindowWidth, TranslationEditor::kWindowHeight);
  move(screen()->geometry().center() - rect().center());
}

void TTranslateForm::BuildBars() {
  back_bar_.addWidget(&BackBtn);
  back_bar_.addStretch();

  FilterEdit.setMinimumWidth(kFilterEditWidth);
  filter_bar_.addWidget(&FilterEdit);
  filter_bar_.addWidget(&FilterBtn);
  filter_bar_.addWidget(&DeleteRowBtn);
  filter_bar_.addWidget(&FixedColCheck);
  filter_bar_.addStretch();

  // No button is the default one: Return in the search field must not
  // press a button.
  for (QPushButton* button : {&BackBtn, &FilterBtn, &DeleteRowBtn}) button->setAutoDefault(false);
  connect(&BackBtn, &QPushButton::clicked, this, &QDialog::close);
  connect(&FilterBtn, &QPushButton::clicked, this, &TTranslateForm::FilterBtnClick);
  connect(&DeleteRowBtn, &QPushButton::clicked, this, &TTranslateForm::DeleteRowBtnClick);
  connect(&FixedColCheck, &QCheckBox::toggled, this,
          [this](bool ticked) { editor_.FixedColumnsTicked(ticked); });
}

void TTranslateForm::BuildGrid() {
  StringGrid1.horizontalHeader()->setDefaultSectionSize(TranslationEditor::kColumnWidth);
  StringGrid1.verticalHeader()->setDefaultSectionSize(StringGrid1.fontMetrics().height() +
                                                      TranslationEditor::kRowPadding);
  StringGrid1.setShowGrid(true);
  StringGrid1.setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1.setEditTriggers(QAbstractItemView::DoubleClicked |
                              QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
  StringGrid1.installEventFilter(this);
  connect(&StringGrid1, &StringGrid::EditTextChanged, this,
          [this](int column, int row, const QString& text) {
            editor_.CellEdited(column, row, text.toStdU16String());
          });
}

QObjectList TTranslateForm::Components() {
  return {&Panel1,       &BackBtn,       &Panel2,      &FilterEdit, &FilterBtn,
          &DeleteRowBtn, &FixedColCheck, &StringGrid1, &StatusBar1};
}

void TTranslateForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    DeleteRowBtn.click();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TTranslateForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &StringGrid1 && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && editor_.DeleteKey()) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quillmere
