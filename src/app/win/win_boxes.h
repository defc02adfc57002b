#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/presenter/questions.h"
#include "support/message_sink.h"

namespace quillmere::win {

// The jobs' messages in modal message boxes over the program's active
// window (over none in a command-line run): the error icon with the
// program's title as caption, or the information icon with a caption of its
// own; one OK button each. Remembers that a box was shown.
class BoxMessages : public MessageSink {
 public:
  void ShowError(const std::u16string& text) override;
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override;

  bool shown() const { return shown_; }

 private:
  bool shown_ = false;
};

// The title boxes without a caption of their own carry: the program's, in
// the language of the start.
void SetProgramTitle(std::u16string title);
const std::u16string& ProgramTitle();

// Question boxes over `owner`: the question icon with Yes, No and Cancel
// (closing the box is Cancel), or with Yes and No.
class BoxQuestions : public Questions {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

  Answer AskYesNoCancel(const std::u16string& caption, const std::u16string& text,
                        Answer default_answer) override;
  bool AskYesNo(const std::u16string& caption, const std::u16string& text) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace quillmere::win
