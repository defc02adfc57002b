#include "app/gui/question_boxes.h"

#include <QMessageBox>

namespace quillmere {

namespace {

QMessageBox::StandardButton Ask(const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape, QWidget* parent) {
  QMessageBox box(QMessageBox::Question, caption, text, buttons, parent);
  box.setEscapeButton(escape);
  box.exec();
  QAbstractButton* const clicked = box.clickedButton();
  return clicked != nullptr ? box.standardButton(clicked) : escape;
}

}  // namespace

QuestionBoxes::Answer QtQuestionBoxes::AskYesNoCancel(const QString& caption, const QString& text,
                                                      QWidget* parent) {
  switch (Ask(caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
              QMessageBox::Cancel, parent)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

bool QtQuestionBoxes::AskYesNo(const QString& caption, const QString& text, QWidget* parent) {
  return Ask(caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, parent) ==
         QMessageBox::Yes;
}

}  // namespace quillmere
