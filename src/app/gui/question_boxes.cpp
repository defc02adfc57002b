#include "app/gui/question_boxes.h"

#include <QMessageBox>

namespace quillmere {

namespace {

using Button = QMessageBox::StandardButton;

Button Ask(const std::u16string& caption, const std::u16string& text,
           QMessageBox::StandardButtons buttons, Button default_button, Button escape,
           QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QString::fromStdU16String(caption),
                  QString::fromStdU16String(text), buttons, parent);
  box.setDefaultButton(default_button);
  box.setEscapeButton(escape);
  box.exec();
  QAbstractButton* const clicked = box.clickedButton();
  return clicked != nullptr ? box.standardButton(clicked) : escape;
}

Button ButtonOf(Questions::Answer answer) {
  switch (answer) {
    case Questions::Answer::kYes:
      return QMessageBox::Yes;
    case Questions::Answer::kNo:
      return QMessageBox::No;
    case Questions::Answer::kCancel:
      break;
  }
  return QMessageBox::Cancel;
}

}  // namespace

Questions::Answer QtQuestionBoxes::AskYesNoCancel(const std::u16string& caption,
                                                  const std::u16string& text,
                                                  Answer default_answer) {
  switch (Ask(caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
              ButtonOf(default_answer), QMessageBox::Cancel, parent_)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

bool QtQuestionBoxes::AskYesNo(const std::u16string& caption, const std::u16string& text) {
  return Ask(caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No,
             parent_) == QMessageBox::Yes;
}

}  // namespace quillmere
