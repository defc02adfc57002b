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

// The box wraps a long line wherever it is full, also inside a path, which
// could leave a drive letter alone at the end of a line. The file name of a
// message therefore starts a line of its own: the blank before a path with
// a drive letter ("Z:\") or a network path ("\\server") becomes a line
// break, and the path itself breaks, where it must, after a folder.
std::u16string WithPathOnItsOwnLine(std::u16string text) {
  for (std::size_t at = 0; at + 3 < text.size(); ++at) {
    const char16_t letter = text[at + 1];
    const bool drive = ((letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z')) &&
                       text[at + 2] == u':' && text[at + 3] == u'\\';
    const bool network = text[at + 1] == u'\\' && text[at + 2] == u'\\';
    if (text[at] != u' ' || !(drive || network)) continue;
    text[at] = u'\n';
    for (std::size_t unit = at + 1; unit < text.size(); ++unit) {
      if (text[unit] == u'\\' && unit + 1 < text.size() && text[unit + 1] != u'\\') {
        text.insert(unit + 1, 1, u'\u200B');  // a break allowed after a folder
      }
    }
    break;
  }
  return text;
}

}  // namespace

void SetProgramTitle(std::u16string title) { program_title = std::move(title); }
const std::u16string& ProgramTitle() { return program_title; }

void BoxMessages::ShowError(const std::u16string& text) {
  shown_ = true;
  ShowBox(BoxOwner(), program_title, WithPathOnItsOwnLine(text), MB_OK | MB_ICONERROR);
}

void BoxMessages::ShowInformation(const std::u16string& caption, const std::u16string& text) {
  shown_ = true;
  ShowBox(BoxOwner(), caption, text, MB_OK | MB_ICONINFORMATION);
}

Questions::Answer BoxQuestions::AskYesNoCancel(const std::u16string& caption,
                                               const std::u16string& text, Answer default_answer) {
  const UINT default_button = default_answer == Answer::kNo       ? MB_DEFBUTTON2
                              : default_answer == Answer::kCancel ? MB_DEFBUTTON3
                                                                  : MB_DEFBUTTON1;
  switch (ShowBox(owner_, caption, text, MB_YESNOCANCEL | MB_ICONQUESTION | default_button)) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

bool BoxQuestions::AskYesNo(const std::u16string& caption, const std::u16string& text) {
  return ShowBox(owner_, caption, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace quillmere::win
