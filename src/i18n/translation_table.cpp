#include "i18n/translation_table.h"

#include <cassert>

#include "i18n/cell_text.h"

namespace quillmere {

TranslationTable::~TranslationTable() { Clear(); }

void TranslationTable::FreeCells(TranslationRow& row) {
  for (char16_t*& cell : row.cells) {
    FreeCellText(cell);
    cell = nullptr;
  }
}

std::u16string_view TranslationTable::Cell(std::uint32_t row, int column) const {
  assert(row < RowCount() && column >= 0 && column < kTranslationColumns);
  return CellView(rows_.At(row).cells[column]);
}

std::optional<std::uint32_t> TranslationTable::AppendRow() {
  if (rows_.Add() == nullptr) return std::nullopt;
  return static_cast<std::uint32_t>(rows_.aobjnr());
}

void TranslationTable::SetCell(std::uint32_t row, int column, std::u16string_view text) {
  assert(row < RowCount() && column >= 0 && column < kTranslationColumns);
  char16_t* const copy = NewCellText(text);
  char16_t*& cell = rows_.GetObject(row)->cells[column];
  FreeCellText(cell);
  cell = copy;
}

void TranslationTable::DeleteRow(std::uint32_t row) {
  if (row >= RowCount()) return;
  FreeCells(*rows_.GetObject(row));
  rows_.Delete(static_cast<std::int32_t>(row));
}

void TranslationTable::Clear() {
  rows_.First();
  while (rows_.WhileNext()) FreeCells(*rows_.current());
  rows_.Clear();
}

}  // namespace quillmere
