#include "app/win/win_text.h"

#include <cwctype>

namespace quillmere::win {

std::u16string TextOf(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return FromWide(text);
}

void SetText(HWND window, std::u16string_view text) {
  ::SetWindowTextW(window, Wide(text).c_str());
}

std::u16string WithMnemonic(std::u16string_view text, std::u16string& taken) {
  std::u16string result;
  bool marked = false;
  for (const char16_t unit : text) {
    if (!marked && std::iswalpha(static_cast<wint_t>(unit))) {
      const char16_t lower = static_cast<char16_t>(std::towlower(static_cast<wint_t>(unit)));
      if (taken.find(lower) == std::u16string::npos) {
        taken += lower;
        result += u'&';
        marked = true;
      }
    }
    if (unit == u'&') result += u'&';
    result += unit;
  }
  return result;
}

}  // namespace quillmere::win
