#pragma once

#include <string>

namespace quillmere {

// Questions put to the user in modal boxes with the question icon. Each
// toolkit shows its own; tests answer from a script.
class Questions {
 public:
  enum class Answer { kYes, kNo, kCancel };

  virtual ~Questions() = default;

  // A box with the buttons Yes, No and Cancel; `default_answer` is the
  // button Return presses. Closing the box answers Cancel.
  virtual Answer AskYesNoCancel(const std::u16string& caption, const std::u16string& text,
                                Answer default_answer) = 0;

  // A box with the buttons Yes and No; true for Yes. Closing it answers No.
  virtual bool AskYesNo(const std::u16string& caption, const std::u16string& text) = 0;
};

}  // namespace quillmere
