#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "i18n/translation_index.h"
#include "i18n/translation_table.h"

namespace quillmere {

// The process-wide translation table and its index, and the lookup through
// which every text passes before it is shown.
//
// Both exist from BuildTranslationIndex on and live until the program ends
// (or ResetTranslations). Before that there is nothing to look up in: every
// text comes back as it is and nothing is learnt.
//
// Everything here runs on the user-interface thread only.

// Drops the table and the index, sets the program folder (where the
// translation file lives; empty for none) and makes German current. For
// tests and for a fresh start.
void ResetTranslations(const std::string& program_folder);

// Creates the table, loads the translation file into it and builds the
// index: one entry per row with a German text, each bucket sorted.
void BuildTranslationIndex();

// Sorts entries lo..hi of one bucket of the index by key.
void SortBucket(int bucket, std::int32_t lo, std::int32_t hi);

// The text of `source` in the current language. Spaces (U+0020) at the ends
// of the source are set aside and the rest is looked up; a translation found
// loses every character up to U+0020 at its ends and gets the source's own
// spaces back. An empty translation gives the source. A text the table does
// not hold is learnt: appended as a new row with empty translations, indexed
// and saved at once; the source comes back. Empty sources and sources made
// only of spaces come back unchanged and are not learnt.
std::u16string TranslateText(std::u16string_view source);

// The table and the index, null before BuildTranslationIndex. For the
// translation editor, which reads and changes rows.
TranslationTable* ActiveTranslationTable();
TranslationIndex* ActiveTranslationIndex();

// Replaces cell `column` (0..19) of table row `row`. False, changing
// nothing, when there is no such cell. The index is left as it is: a row
// whose German text changed is still found under its former text until the
// next start. The caller saves.
bool ReplaceTranslationCell(std::uint32_t row, int column, std::u16string_view text);

// Deletes table row `row` and brings the index back in step, so that every
// entry again names the row that holds its text. False, changing nothing,
// when there is no such row. The caller saves.
bool DeleteTranslationRow(std::uint32_t row);

}  // namespace quillmere
