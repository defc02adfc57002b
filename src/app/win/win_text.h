#pragma once

// Texts between the program's UTF-16 and the wide-character calls of
// Windows, whose wchar_t is the same 16-bit unit.

#include <windows.h>

#include <string>
#include <string_view>

namespace quillmere::win {

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// The text a window or control shows.
std::u16string TextOf(HWND window);
void SetText(HWND window, std::u16string_view text);

// `text` with an "&" before its first letter that `taken` does not hold
// yet, which is then added to `taken`, so that Alt and the letter reach
// the control; an "&" of the text itself is doubled. Controls of one window
// share one `taken`.
std::u16string WithMnemonic(std::u16string_view text, std::u16string& taken);

}  // namespace quillmere::win
