#include "app/win/numeric_field.h"

#include <commctrl.h>

#include <string>

#include "app/win/win_text.h"
#include "app/win/win_window.h"

namespace quillmere::win {

void NumericField::Create(HWND parent, int id) {
  edit_ = AddChild(parent, L"EDIT", WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL, id, {}, WS_EX_CLIENTEDGE);
  arrows_ = AddChild(parent, UPDOWN_CLASSW, UDS_NOTHOUSANDS, id + 1);
  // A range from low to high makes the up arrow count up; the position
  // itself is not used, the setting holds the value.
  ::SendMessageW(arrows_, UDM_SETRANGE32, 0, 100);
  ::SendMessageW(arrows_, UDM_SETPOS32, 0, 50);
  ::SetWindowSubclass(edit_, EditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  field_.Attach(*this);
}

void NumericField::Place(int left, int top, int width, int height) {
  const int arrows_width = ::GetSystemMetrics(SM_CXVSCROLL);
  ::MoveWindow(edit_, left, top, width - arrows_width, height, TRUE);
  ::MoveWindow(arrows_, left + width - arrows_width, top, arrows_width, height, TRUE);
}

void NumericField::Enable(bool enabled) {
  ::EnableWindow(edit_, enabled);
  ::EnableWindow(arrows_, enabled);
}

std::u16string NumericField::Text() const { return TextOf(edit_); }

void NumericField::ShowText(const std::u16string& text) { SetText(edit_, text); }

// A key that can be no part of a number is refused; a comma goes in as the
// point it stands for.
LRESULT NumericField::Typed(WPARAM w, LPARAM l) {
  if (w == VK_RETURN) {
    field_.Commit();
    return 0;
  }
  if (w < L' ') return ::DefSubclassProc(edit_, WM_CHAR, w, l);  // Backspace, Ctrl+C and the like
  const std::optional<char16_t> typed = NumberField::TypedCharacter(static_cast<char16_t>(w));
  if (!typed) {
    ::MessageBeep(MB_OK);
    return 0;
  }
  return ::DefSubclassProc(edit_, WM_CHAR, static_cast<WPARAM>(*typed), l);
}

void NumericField::Paste() {
  std::u16string pasted;
  if (::OpenClipboard(edit_)) {
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* text = static_cast<const char16_t*>(::GlobalLock(data))) {
        pasted = text;
        ::GlobalUnlock(data);
      }
    }
    ::CloseClipboard();
  }
  const std::optional<std::u16string> accepted = NumberField::AcceptedText(pasted);
  if (!accepted) {
    ::MessageBeep(MB_OK);
    return;
  }
  ::SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(*accepted).c_str()));
}

LRESULT CALLBACK NumericField::EditProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                             UINT_PTR, DWORD_PTR field_value) {
  auto* const field = reinterpret_cast<NumericField*>(field_value);
  switch (message) {
    case WM_CHAR:
      return field->Typed(w, l);
    case WM_KEYDOWN:
      if (w == VK_UP || w == VK_DOWN) {
        field->field_.Step(w == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_PASTE:
      field->Paste();
      return 0;
    case WM_KILLFOCUS:
      field->field_.Commit();
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, w, l);
}

}  // namespace quillmere::win
