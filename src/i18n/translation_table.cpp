#include "i18n/translation_table.h"

#include <cassert>
#include <new>

namespace quillmere {

std::u16string_view TranslationTable::Cell(std::uint32_t row, int column) const {
  assert(row < RowCount() && column >= 0 && column < kTranslationColumns);
  return rows_[row].cells[static_cast<std::size_t>(column)];
}

std::optional<std::uint32_t> TranslationTable::AppendRow() {
  try {
    rows_.emplace_back();
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // the rows stay as they were
  }
  return RowCount() - 1;
}

void TranslationTable::SetCell(std::uint32_t row, int column, std::u16string_view text) {
  assert(row < RowCount() && column >= 0 && column < kTranslationColumns);
  rows_[row].cells[static_cast<std::size_t>(column)] = text.substr(0, text.find(u'\0'));
}

void TranslationTable::DeleteRow(std::uint32_t row) {
  if (row >= RowCount()) return;
  rows_.erase(rows_.begin() + row);
}

}  // namespace quillmere
