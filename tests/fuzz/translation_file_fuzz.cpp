// The translation file loader on arbitrary bytes: BuildTranslationIndex
// loads "translate.dat" from the program folder.
//
// Invariants:
// - the table never holds more rows than the file could describe (four
//   bytes at least per row), and no cell holds U+0000;
// - a loaded table saved and loaded again is the same table, and the file
//   saved has exactly the size its rows make;
// - every German text that a lookup can ask for (no blanks at its ends) is
//   found in the index: looking it up learns no new row.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "i18n/language.h"
#include "i18n/translation_file.h"
#include "i18n/translations.h"

namespace quillmere::fuzzing {
namespace {

using Rows = std::vector<std::array<std::u16string, kTranslationColumns>>;

Rows Snapshot(const TranslationTable& table) {
  Rows rows(table.RowCount());
  for (std::uint32_t row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < kTranslationColumns; ++column) {
      rows[row][static_cast<std::size_t>(column)] = std::u16string(table.Cell(row, column));
    }
  }
  return rows;
}

std::size_t FileSizeOf(const Rows& rows) {
  std::size_t size = 8;
  for (const auto& row : rows) {
    for (const std::u16string& cell : row) size += 4 + 2 * cell.size();
  }
  return size;
}

const TranslationTable& LoadFromProgramFolder(const std::string& folder) {
  ResetTranslations(folder);
  BuildTranslationIndex();
  const TranslationTable* const table = ActiveTranslationTable();
  FUZZ_CHECK(table != nullptr);
  return *table;
}

void CheckLookups(const Rows& rows) {
  constexpr std::size_t kLookups = 64;
  SetLanguage(kEnglish);
  for (std::size_t row = 0; row < rows.size() && row < kLookups; ++row) {
    const std::u16string& german = rows[row][0];
    if (german.empty() || german.front() == u' ' || german.back() == u' ') continue;
    TranslateText(german);
    FUZZ_CHECK(ActiveTranslationTable()->RowCount() == rows.size());
  }
  SetLanguage(kGerman);
}

}  // namespace
}  // namespace quillmere::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillmere;
  using namespace quillmere::fuzzing;
  const ScratchFolder& scratch = ScratchFolder::Get();
  scratch.Empty();
  const std::string folder = scratch.File("program");
  std::filesystem::create_directories(folder);
  const std::string file = scratch.Write("program/" + std::string(kTranslationFileName),
                                         std::string_view(reinterpret_cast<const char*>(data), size));

  const Rows loaded = Snapshot(LoadFromProgramFolder(folder));
  FUZZ_CHECK(loaded.size() <= size / 4);
  for (const auto& row : loaded) {
    for (const std::u16string& cell : row) FUZZ_CHECK(cell.find(u'\0') == std::u16string::npos);
  }

  SaveTranslations();
  FUZZ_CHECK(std::filesystem::file_size(file) == FileSizeOf(loaded));
  const Rows reloaded = Snapshot(LoadFromProgramFolder(folder));
  FUZZ_CHECK(reloaded == loaded);
  CheckLookups(reloaded);
  ResetTranslations("");
  return 0;
}
