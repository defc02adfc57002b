#include "app/win/win_boxes.h"

#include "app/win/win_text.h"

namespace quillmere::win {

namespace {

std::u16string program_title = u"Quillmere";

// Boxes belong to the window the user works in, which they then block.
HWND BoxOwner() { return ::GetActiveWindow(); }

int ShowBox(HWND owner, std::u16string_view caption, std::u16string_view text, UINT style) {
  return ::MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), style);
}

}  // namespace

void SetProgramTitle(std::u16string title) { program_title = std::move(title); }
const std::u16string& ProgramTitle() { return program_title; }

void BoxMessages::ShowError(const std::u16string& text) {
  shown_ = true;
  ShowBox(BoxOwner(), program_title, text, MB_OK | MB_ICONERROR);
}

void BoxMessages::ShowInformation(const std::u16string& caption, const std::u16string& text) {
  shown_ = true;
  ShowBox(BoxOwner(), caption, text, MB_OK | MB_ICONINFORMATION);
}

Answer AskYesNoCancel(HWND owner, std::u16string_view caption, std::u16string_view text) {
  switch (ShowBox(owner, caption, text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

bool AskYesNo(HWND owner, std::u16string_view caption, std::u16string_view text) {
  return ShowBox(owner, caption, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace quillmere::win
