#pragma once

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "app/gui/question_boxes.h"
#include "app/gui/string_grid.h"
#include "app/presenter/shown_texts.h"
#include "app/presenter/translation_editor.h"
#include "i18n/translation_table.h"

namespace quillmere {

// The translation editor, drawn with Qt: the grid, the search bar and the
// buttons. What it does is the presenter's (TranslationEditor).
class TTranslateForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTranslateForm(const ShownTexts& texts, QWidget* parent = nullptr);

  // The boxes that ask before a row is deleted and during a search; they
  // must outlive the window. The toolkit's own until set.
  void SetQuestions(Questions& questions) { editor_.SetQuestions(questions); }

  // The components of the window's table, in its order.
  QObjectList Components();

  void FillStringGrid() { editor_.Fill(); }
  void DeleteRowBtnClick() { editor_.DeleteRow(); }
  void FilterBtnClick() { editor_.Search(FilterEdit.text().toStdU16String()); }

  // The controls, in the order of the window's definition, top to bottom.
  QFrame Panel1{this};
  QPushButton BackBtn{&Panel1};
  QFrame Panel2{this};
  QLineEdit FilterEdit{&Panel2};
  QPushButton FilterBtn{&Panel2};
  QPushButton DeleteRowBtn{&Panel2};
  QCheckBox FixedColCheck{&Panel2};
  StringGrid StringGrid1{kTranslationColumns, this};
  QStatusBar StatusBar1{this};

 protected:
  // Esc activates DeleteRowBtn, the window's cancel button, instead of
  // closing the window.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildBars();
  void BuildGrid();

  QtQuestionBoxes toolkit_questions_{this};
  TranslationEditor editor_;
  QVBoxLayout window_layout_{this};
  QHBoxLayout back_bar_{&Panel1};
  QHBoxLayout filter_bar_{&Panel2};
};

}  // namespace quillmere
