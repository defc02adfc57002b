#pragma once

#include <string_view>

namespace quillmere {

// The texts of the translation table and its index live in plain records
// that are moved as raw bytes, so each text is a separately allocated,
// zero-terminated UTF-16 string held by a bare pointer. The table and the
// index own them and give them back through FreeCellText.

// A new zero-terminated copy of `text`, up to its first U+0000; null for an
// empty text (a null cell reads as empty).
char16_t* NewCellText(std::u16string_view text);
void FreeCellText(char16_t* text);

// The text of a cell; empty for null.
inline std::u16string_view CellView(const char16_t* text) {
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace quillmere
