#include "app/presenter/translation_editor.h"

#include <iterator>
#include <utility>

#include "i18n/translation_file.h"
#include "i18n/translation_table.h"
#include "i18n/translations.h"

namespace quillmere {

namespace {

// The search ignores the case of the letters a to z only; every other
// character, umlauts included, must match exactly.
std::u16string WithUpperCaseAToZ(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return text;
}

int TableRowCount() {
  const TranslationTable* const table = ActiveTranslationTable();
  return table != nullptr ? static_cast<int>(table->RowCount()) : 0;
}

std::u16string TableCell(int row, int column) {
  return std::u16string(ActiveTranslationTable()->Cell(static_cast<std::uint32_t>(row), column));
}

}  // namespace

TranslationEditor::TranslationEditor(GridView& grid, Questions& questions, const ShownTexts& texts)
    : grid_(grid), questions_(&questions), texts_(texts) {}

std::u16string TranslationEditor::ColumnHeading(int column) {
  static const char16_t* const kLanguages[] = {u"German",  u"English", u"Français", u"Nederlands",
                                               u"Italian", u"Spanish", u"Portuguese"};
  if (column < static_cast<int>(std::size(kLanguages))) return kLanguages[column];
  std::u16string heading = u"language";
  for (const char digit : std::to_string(column)) heading += static_cast<char16_t>(digit);
  return heading;
}

int TranslationEditor::RowCount() const { return TableRowCount() + 1; }

std::u16string TranslationEditor::GridCell(int column, int row) const {
  return row == 0 ? ColumnHeading(column) : TableCell(row - 1, column);
}

void TranslationEditor::Fill() {
  const int rows = RowCount();
  filled_rows_ = rows;
  grid_.SetRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < kTranslationColumns; ++column) {
      grid_.SetCell(column, row, GridCell(column, row));
    }
  }
}

void TranslationEditor::CellEdited(int column, int row, const std::u16string& text) {
  if (row >= 1 && row < RowCount()) {
    ReplaceTranslationCell(static_cast<std::uint32_t>(row - 1), column, text);
  }
  SaveTranslations();
}

bool TranslationEditor::DeleteKey() {
  if (grid_.IsEditing()) return false;
  DeleteRow();
  return true;
}

void TranslationEditor::DeleteRow() {
  const int row = grid_.Row();
  if (row >= 1 && row < RowCount()) {
    const Questions::Answer answer =
        questions_->AskYesNoCancel(Caption(), TableCell(row - 1, 0), Questions::Answer::kNo);
    if (answer == Questions::Answer::kYes) DeleteTranslationRow(static_cast<std::uint32_t>(row - 1));
  }
  SaveTranslations();
  Fill();
  if (row <= RowCount() - 1) grid_.SetRow(row);
}

void TranslationEditor::Search(std::u16string_view wanted_text) {
  const std::u16string wanted = WithUpperCaseAToZ(std::u16string(wanted_text));
  if (wanted.empty()) return;
  // The grid's rows: a text the question learns is not in the grid.
  for (int row = 0; row < filled_rows_; ++row) {
    for (int column = 0; column < kTranslationColumns; ++column) {
      if (WithUpperCaseAToZ(GridCell(column, row)).find(wanted) == std::u16string::npos) continue;
      grid_.SelectCell(column, row);
      grid_.ScrollToTopLeft(column, row);
      if (!questions_->AskYesNo(Caption(), TranslateText(kSearchOnQuestion))) return;
    }
  }
}

void TranslationEditor::FixedColumnsTicked(bool ticked) {
  grid_.SetFixedCols(ticked ? kFixedColumnsWhenTicked : 0);
}

}  // namespace quillmere
