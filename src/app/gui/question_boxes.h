#pragma once

#include <QString>

class QWidget;

namespace quillmere {

// Questions put to the user in modal boxes with the question icon. The
// program uses QtQuestionBoxes; tests put scripted answers in its place.
class QuestionBoxes {
 public:
  enum class Answer { kYes, kNo, kCancel };

  virtual ~QuestionBoxes() = default;

  // A box with the buttons Yes, No and Cancel.
  virtual Answer AskYesNoCancel(const QString& caption, const QString& text, QWidget* parent) = 0;

  // A box with the buttons Yes and No; true for Yes.
  virtual bool AskYesNo(const QString& caption, const QString& text, QWidget* parent) = 0;
};

// The toolkit's message boxes. Closing a box without a button counts as its
// escape answer: Cancel, or No where there is no Cancel.
class QtQuestionBoxes : public QuestionBoxes {
 public:
  Answer AskYesNoCancel(const QString& caption, const QString& text, QWidget* parent) override;
  bool AskYesNo(const QString& caption, const QString& text, QWidget* parent) override;
};

}  // namespace quillmere
