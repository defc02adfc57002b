#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/translation_table.h"

namespace quillmere {

// The readable source of the translation table that ships with the program
// (translations/translate.tsv), from which the build writes translate.dat.
//
// UTF-8 text, one line per table row, its cells separated by tabs, in the
// order of the language numbers: German, English, French, Dutch, Italian,
// Spanish, Portuguese. Every row has exactly these seven cells; an empty
// cell is a missing translation. The first line is the heading and is not a
// row; empty lines and lines starting with "#" are skipped.
//
// Cells are taken exactly as written, blanks included. Inside a cell "\t"
// stands for a tab, "\n" for a line feed and "\\" for a backslash; any other
// backslash is an error. The German cell is the lookup key, which never has
// blanks or control characters at its ends (the lookup strips them from the
// text it looks up), and each German text has one row.
inline constexpr int kSourceColumns = 7;

struct TranslationSource {
  std::vector<std::array<std::u16string, kSourceColumns>> rows;
  // One message per fault, "line N: ...": a source with any is not used.
  std::vector<std::string> errors;
};

TranslationSource ParseTranslationSource(std::string_view text);

// The rows as table rows: the seven cells in columns 0 to 6, the spare
// columns empty.
void FillTranslationTable(const TranslationSource& source, TranslationTable& table);

}  // namespace quillmere
