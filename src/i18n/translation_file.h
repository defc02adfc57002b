#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/translation_table.h"

namespace quillmere {

class OutputFile;

// The translation file "translate.dat" in the program folder holds the
// whole table. All integers are 32-bit signed little-endian:
//   column count (written as 20), row count, then the rows in table order,
//   each as many cells as the column count says; a cell is its length N in
//   UTF-16 code units followed by the N code units, little-endian.
// There is no signature and no padding; an empty cell is just N = 0.
inline constexpr char kTranslationFileName[] = "translate.dat";

// A translation file opened for reading: all of its bytes, read at once,
// and the position of the next field. A damaged file can therefore never
// make the loader allocate more than the file holds.
struct TranslationFileInput {
  std::string bytes;
  std::size_t position = 0;

  std::size_t Remaining() const { return bytes.size() - position; }
  std::optional<std::int32_t> ReadInt32();
};

// Reads one cell; nothing when the file ends inside it or its length is
// negative.
std::optional<std::u16string> ReadCellString(TranslationFileInput& file);
// Writes one cell.
void WriteCellString(OutputFile& file, std::u16string_view text);

// Appends the rows of the file at `path` to `table`. A missing or unreadable
// file adds nothing. A damaged file (too short for its header, ending inside
// a row, a length larger than the rest of the file) adds the complete rows
// before the damage, up to 10000 of them when the file is too short for the
// rows it claims. Cells beyond column 19 are dropped; columns the file does
// not supply stay empty.
void LoadTranslationFile(const std::string& path, TranslationTable& table);

// Replaces the file at `path` by the whole table with column count 20. The
// previous file is replaced only once every byte is written. False when the
// file could not be created or written.
bool SaveTranslationFile(const std::string& path, const TranslationTable& table);

// The translation file of the program folder; empty while that folder is not
// set.
std::string TranslationFilePath();

// Fills the process-wide table from the translation file. Used by
// BuildTranslationIndex.
void LoadTranslations();

// Writes the process-wide table to the translation file. A file that cannot
// be created or written is passed over silently: the table in memory stays
// as it is, and the next change tries again.
void SaveTranslations();

}  // namespace quillmere
