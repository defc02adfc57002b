#include "i18n/translation_file.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "support/output_file.h"
#include "support/user_folders.h"
#include "i18n/translation_location.h"
#include "i18n/translations.h"
#include "platform/file_system.h"

namespace quillmere {

namespace {

constexpr std::size_t kCellLengthBytes = 4;

// The most rows kept from a file that is too short for the rows it claims.
// The program's own tables hold a few hundred.
constexpr std::size_t kMostRowsOfADamagedFile = 10000;

void AppendInt32(std::string& bytes, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  // istream::read turns a failing read (a folder of that name) into the bad
  // state; reading through the stream buffer would throw instead.
  std::string bytes;
  std::string block(1 << 16, '\0');
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    bytes.append(block, 0, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

// Reads the cells of one row; nothing when the file ends inside the row.
std::optional<std::array<std::u16string, kTranslationColumns>> ReadRow(
    TranslationFileInput& file, std::int32_t columns) {
  std::array<std::u16string, kTranslationColumns> cells;
  for (std::int32_t column = 0; column < columns; ++column) {
    std::optional<std::u16string> cell = ReadCellString(file);
    if (!cell) return std::nullopt;
    if (column < kTranslationColumns) cells[static_cast<std::size_t>(column)] = std::move(*cell);
  }
  return cells;
}

bool AppendLoadedRow(TranslationTable& table,
                     const std::array<std::u16string, kTranslationColumns>& cells) {
  const std::optional<std::uint32_t> row = table.AppendRow();
  if (!row) return false;
  for (int column = 0; column < kTranslationColumns; ++column) {
    const std::u16string& text = cells[static_cast<std::size_t>(column)];
    if (!text.empty()) table.SetCell(*row, column, text);
  }
  return true;
}

}  // namespace

std::optional<std::int32_t> TranslationFileInput::ReadInt32() {
  if (Remaining() < 4) return std::nullopt;
  std::uint32_t bits = 0;
  for (int k = 0; k < 4; ++k) {
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[position + k])) << (8 * k);
  }
  position += 4;
  return static_cast<std::int32_t>(bits);
}

std::optional<std::u16string> ReadCellString(TranslationFileInput& file) {
  const std::optional<std::int32_t> length = file.ReadInt32();
  if (!length || *length < 0) return std::nullopt;
  const auto units = static_cast<std::size_t>(*length);
  if (units > file.Remaining() / 2) return std::nullopt;
  std::u16string text(units, u'\0');
  for (std::size_t k = 0; k < units; ++k) {
    const auto low = static_cast<unsigned char>(file.bytes[file.position + 2 * k]);
    const auto high = static_cast<unsigned char>(file.bytes[file.position + 2 * k + 1]);
    text[k] = static_cast<char16_t>(low | (high << 8));
  }
  file.position += 2 * units;
  return text;
}

void WriteCellString(OutputFile& file, std::u16string_view text) {
  std::string bytes;
  bytes.reserve(4 + 2 * text.size());
  AppendInt32(bytes, static_cast<std::int32_t>(text.size()));
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  file.Write(bytes);
}

void LoadTranslationFile(const std::string& path, TranslationTable& table) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return;
  TranslationFileInput file{std::move(*bytes)};
  const std::optional<std::int32_t> columns = file.ReadInt32();
  const std::optional<std::int32_t> rows = file.ReadInt32();
  if (!columns || !rows || *rows <= 0) return;

  // Rows without cells take no bytes, so the file cannot show how many there
  // really are; count each as one cell length at least.
  const std::size_t bytes_per_row =
      kCellLengthBytes * static_cast<std::size_t>(*columns > 0 ? *columns : 1);
  std::size_t wanted = static_cast<std::size_t>(*rows);
  if (wanted > file.Remaining() / bytes_per_row) {
    // The file cannot hold the rows it claims: it is damaged. Its complete
    // rows are kept, but only up to a bound, since the table grows in
    // steps of 100 rows and copies itself at every step: a few megabytes of
    // zero bytes behind a damaged header must not stall the start for
    // minutes.
    wanted = std::min(file.Remaining() / bytes_per_row, kMostRowsOfADamagedFile);
  }
  if (*columns <= 0) {
    const std::array<std::u16string, kTranslationColumns> empty_row;
    for (std::size_t row = 0; row < wanted; ++row) {
      if (!AppendLoadedRow(table, empty_row)) return;
    }
    return;
  }
  for (std::size_t row = 0; row < wanted; ++row) {
    const auto cells = ReadRow(file, *columns);
    if (!cells || !AppendLoadedRow(table, *cells)) return;
  }
}

bool SaveTranslationFile(const std::string& path, const TranslationTable& table) {
  Result<OutputFile> created = OutputFile::Create(path);
  if (!created) return false;
  OutputFile& file = *created;
  std::string header;
  AppendInt32(header, kTranslationColumns);
  AppendInt32(header, static_cast<std::int32_t>(table.RowCount()));
  file.Write(header);
  for (std::uint32_t row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < kTranslationColumns; ++column) {
      WriteCellString(file, table.Cell(row, column));
    }
  }
  return file.Commit().ok();
}

std::string TranslationFilePath() {
  const std::string& folder = ProgramFolder();
  return folder.empty() ? std::string() : folder + kTranslationFileName;
}

void LoadTranslations() {
  TranslationTable* const table = ActiveTranslationTable();
  const std::string path = TranslationFileToRead();
  if (table != nullptr && !path.empty()) LoadTranslationFile(path, *table);
}

void SaveTranslations() {
  const TranslationTable* const table = ActiveTranslationTable();
  const std::string path = TranslationFileToSave();
  if (table != nullptr && !path.empty()) SaveTranslationFile(path, *table);
}

}  // namespace quillmere
