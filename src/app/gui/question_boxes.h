#pragma once

#include "app/presenter/questions.h"

class QWidget;

namespace quillmere {

// The toolkit's message boxes with the question icon, over `parent`.
class QtQuestionBoxes : public Questions {
 public:
  explicit QtQuestionBoxes(QWidget* parent) : parent_(parent) {}

  Answer AskYesNoCancel(const std::u16string& caption, const std::u16string& text,
                        Answer default_answer) override;
  bool AskYesNo(const std::u16string& caption, const std::u16string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace quillmere
