#include "i18n/translation_source.h"

#include <optional>
#include <set>

#include "support/utf.h"

namespace quillmere {

namespace {

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// The cell with its escapes replaced; nothing for an unknown escape.
std::optional<std::string> Unescaped(std::string_view cell) {
  std::string text;
  for (std::size_t k = 0; k < cell.size(); ++k) {
    if (cell[k] != '\\') {
      text.push_back(cell[k]);
      continue;
    }
    if (++k == cell.size()) return std::nullopt;
    switch (cell[k]) {
      case 't': text.push_back('\t'); break;
      case 'n': text.push_back('\n'); break;
      case '\\': text.push_back('\\'); break;
      default: return std::nullopt;
    }
  }
  return text;
}

bool HasStrippedEnds(std::u16string_view key) {
  return !key.empty() && key.front() > u' ' && key.back() > u' ';
}

std::string Fault(std::size_t line_number, const std::string& what) {
  return "line " + std::to_string(line_number) + ": " + what;
}

}  // namespace

TranslationSource ParseTranslationSource(std::string_view text) {
  TranslationSource source;
  std::set<std::u16string> keys;
  const std::vector<std::string_view> lines = SplitAt(text, '\n');
  for (std::size_t index = 1; index < lines.size(); ++index) {
    const std::size_t line_number = index + 1;
    std::string_view line = lines[index];
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string_view> cells = SplitAt(line, '\t');
    if (cells.size() != kSourceColumns) {
      source.errors.push_back(Fault(line_number, std::to_string(cells.size()) + " cells, not " +
                                                     std::to_string(kSourceColumns)));
      continue;
    }
    std::array<std::u16string, kSourceColumns> row;
    bool usable = true;
    for (int column = 0; column < kSourceColumns; ++column) {
      const std::optional<std::string> cell = Unescaped(cells[static_cast<std::size_t>(column)]);
      if (!cell) {
        source.errors.push_back(Fault(line_number, "unknown escape in cell " +
                                                       std::to_string(column + 1)));
        usable = false;
        break;
      }
      row[static_cast<std::size_t>(column)] = Utf8ToUtf16(*cell);
    }
    if (!usable) continue;
    if (!HasStrippedEnds(row[0])) {
      source.errors.push_back(Fault(line_number, "the German text is empty or has blanks at its ends"));
    } else if (!keys.insert(row[0]).second) {
      source.errors.push_back(Fault(line_number, "the German text has a row already"));
    } else {
      source.rows.push_back(std::move(row));
    }
  }
  return source;
}

void FillTranslationTable(const TranslationSource& source, TranslationTable& table) {
  for (const auto& cells : source.rows) {
    const std::optional<std::uint32_t> row = table.AppendRow();
    if (!row) return;
    for (int column = 0; column < kSourceColumns; ++column) {
      const std::u16string& text = cells[static_cast<std::size_t>(column)];
      if (!text.empty()) table.SetCell(*row, column, text);
    }
  }
}

}  // namespace quillmere
