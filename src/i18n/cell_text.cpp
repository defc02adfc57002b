#include "i18n/cell_text.h"

#include <algorithm>
#include <memory>

namespace quillmere {

char16_t* NewCellText(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  if (text.empty()) return nullptr;
  // make_unique value-initialises, so the terminator is already in place.
  auto copy = std::make_unique<char16_t[]>(text.size() + 1);
  std::copy(text.begin(), text.end(), copy.get());
  return copy.release();
}

void FreeCellText(char16_t* text) { std::unique_ptr<char16_t[]> owner(text); }

}  // namespace quillmere
