#pragma once

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "app/gui/component_owner.h"
#include "app/gui/question_boxes.h"
#include "app/gui/string_grid.h"
#include "i18n/translation_table.h"

namespace quillmere {

// The translation editor: the whole translation table in a grid, one row per
// table row and one column per language. What the user types into a cell is
// stored in the table and saved at once; rows can be deleted, a search finds
// a text anywhere in the grid, and the first two columns can be held in
// place. The grid is a copy of the table, filled by FillStringGrid, which the
// main window runs before every opening.
class TTranslateForm : public QDialog, public ComponentOwner {
  Q_OBJECT

 public:
  static constexpr int kFixedColumnsWhenTicked = 2;  // German and English

  explicit TTranslateForm(QWidget* parent = nullptr);

  // The boxes that ask before a row is deleted and during a search; they
  // must outlive the window. The toolkit's own until set.
  void SetQuestions(QuestionBoxes& questions) { questions_ = &questions; }

  QObjectList Components() override;

  void FillStringGrid();
  void StringGrid1SetEditText(int column, int row, const QString& text);
  // True when the key was handled here and is not left to the grid.
  bool StringGrid1KeyDown(int key);
  void DeleteRowBtnClick();
  void FilterBtnClick();
  void FixedColCheckClick();
  void BackBtnClick();

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

  QtQuestionBoxes toolkit_questions_;
  QuestionBoxes* questions_ = &toolkit_questions_;
  QVBoxLayout window_layout_{this};
  QHBoxLayout back_bar_{&Panel1};
  QHBoxLayout filter_bar_{&Panel2};
};

}  // namespace quillmere
