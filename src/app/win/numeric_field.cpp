#include "app/win/numeric_field.h"

#include <commctrl.h>

#include <string>

#include "app/win/win_text.h"
#include "support/utf.h"

namespace quillmere::win {

void NumericField::Create(HWND parent, int id) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL, 0, 0,
                            10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            instance, nullptr);
  arrows_ = ::CreateWindowExW(0, UPDOWN_CLASSW, L"",
                              WS_CHILD | WS_VISIBLE | UDS_NOTHOUSANDS, 0, 0, 10,
                              10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + 1)),
                              instance, nullptr);
  // A range from low to high makes the up arrow count up; the position
  // itself is not used, the setting holds the value.
  ::SendMessageW(arrows_, UDM_SETRANGE32, 0, 100);
  ::SendMessageW(arrows_, UDM_SETPOS32, 0, 50);
  ::SetWindowSubclass(edit_, EditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  ShowSetting();
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

void NumericField::Commit() {
  const std::u16string text = TextOf(edit_);
  // Text the program showed is no typing.
  if (text == Utf8ToUtf16(setting_.Text())) return;
  if (!setting_.SetText(Utf16ToUtf8(text))) setting_.Set(setting_.properties().minimum);
  ShowSetting();
}

void NumericField::ShowSetting() {
  SetText(edit_, Utf8ToUtf16(setting_.Text()));
}

void NumericField::Step(int steps) {
  Commit();
  setting_.Set(setting_.value() + steps);
  ShowSetting();
}

bool NumericField::Accepts(wchar_t typed) const {
  if (typed < L' ') return true;  // Backspace, Ctrl+C and the like
  if (typed >= L'0' && typed <= L'9') return true;
  if (typed != L'.' || setting_.properties().decimals == 0) return false;
  // One point at most, unless it replaces the selected one.
  const std::u16string text = TextOf(edit_);
  DWORD first = 0;
  DWORD last = 0;
  ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  const std::size_t point = text.find(u'.');
  return point == std::u16string::npos || (point >= first && point < last);
}

LRESULT CALLBACK NumericField::EditProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                             UINT_PTR, DWORD_PTR field_value) {
  auto* const field = reinterpret_cast<NumericField*>(field_value);
  switch (message) {
    case WM_CHAR:
      if (w == VK_RETURN) {
        field->Commit();
        return 0;
      }
      if (!field->Accepts(static_cast<wchar_t>(w))) {
        ::MessageBeep(MB_OK);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (w == VK_UP || w == VK_DOWN) {
        field->Step(w == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_PASTE:
      return 0;  // pasted text could hold anything
    case WM_KILLFOCUS:
      field->Commit();
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, w, l);
}

}  // namespace quillmere::win
