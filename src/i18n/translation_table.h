#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/language.h"

namespace quillmere {

// Columns of the translation table: one per language number, 0 German.
inline constexpr int kTranslationColumns = kLanguageCount;

// One row of the table: cell k holds the text in language k, cell 0 the
// German key.
struct TranslationRow {
  std::array<std::u16string, kTranslationColumns> cells;
};

// The learnt translations: rows of 20 texts, identified by their position.
class TranslationTable {
 public:
  std::uint32_t RowCount() const { return static_cast<std::uint32_t>(rows_.size()); }

  // The text of cell `column` (0..19) of `row` (below RowCount()).
  std::u16string_view Cell(std::uint32_t row, int column) const;

  // Appends a row of empty cells and returns its number; nothing when memory
  // ran out (the table is then as it was: a text that cannot be learnt is
  // shown in German).
  std::optional<std::uint32_t> AppendRow();

  // Replaces the text of a cell with a copy of `text`. Only the first
  // U+0000 and what precedes it count, as for every zero-terminated text.
  void SetCell(std::uint32_t row, int column, std::u16string_view text);

  // Removes a row; the rows behind it move up by one. Any other number
  // changes nothing.
  void DeleteRow(std::uint32_t row);

  void Clear() { rows_.clear(); }

 private:
  std::vector<TranslationRow> rows_;
};

}  // namespace quillmere
