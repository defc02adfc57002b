#include "i18n/translations.h"

#include <memory>

#include "support/user_folders.h"
#include "i18n/language.h"
#include "i18n/translation_file.h"

namespace quillmere {

namespace {

struct TranslationState {
  TranslationTable table;
  TranslationIndex index;
};

std::unique_ptr<TranslationState> state;

bool IsControlOrSpace(char16_t unit) { return unit <= u' '; }

// The stored translation without characters up to U+0020 at either end.
std::u16string_view TrimmedTranslation(std::u16string_view text) {
  while (!text.empty() && IsControlOrSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsControlOrSpace(text.back())) text.remove_suffix(1);
  return text;
}

void Learn(std::u16string_view key) {
  const std::optional<std::uint32_t> row = state->table.AppendRow();
  if (!row) return;
  state->table.SetCell(*row, 0, key);
  state->index.Add(key, static_cast<std::int32_t>(*row));
  SaveTranslations();
}

}  // namespace

void ResetTranslations(const std::string& program_folder) {
  state.reset();
  SetProgramFolder(program_folder);
  SetLanguage(kGerman);
  SetLanguageSetTo(kGerman);
}

void BuildTranslationIndex() {
  state = std::make_unique<TranslationState>();
  LoadTranslations();
  TranslationTable& table = state->table;
  for (std::uint32_t row = 0; row < table.RowCount(); ++row) {
    const std::u16string_view german = table.Cell(row, 0);
    if (!german.empty()) state->index.Add(german, static_cast<std::int32_t>(row));
  }
  state->index.SortAllBuckets();
}

void SortBucket(int bucket, std::int32_t lo, std::int32_t hi) {
  if (state) state->index.SortBucket(bucket, lo, hi);
}

std::u16string TranslateText(std::u16string_view source) {
  std::u16string result(source);
  const std::size_t first = source.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return result;
  const std::size_t last = source.find_last_not_of(u' ');
  const std::size_t lead = first;
  const std::size_t trail = source.size() - 1 - last;
  std::u16string_view key = source.substr(first, last + 1 - first);
  // Keys are zero-terminated texts: a U+0000 ends them.
  key = key.substr(0, key.find(u'\0'));
  if (key.empty() || !state) return result;

  const std::optional<std::int32_t> row = state->index.Find(key);
  if (!row) {
    Learn(key);
    return result;
  }
  if (*row < 0 || static_cast<std::uint32_t>(*row) >= state->table.RowCount()) return result;
  const std::u16string_view translation =
      state->table.Cell(static_cast<std::uint32_t>(*row), language());
  if (translation.empty()) return result;
  result.assign(lead, u' ');
  result.append(TrimmedTranslation(translation));
  result.append(trail, u' ');
  return result;
}

TranslationTable* ActiveTranslationTable() { return state ? &state->table : nullptr; }

TranslationIndex* ActiveTranslationIndex() { return state ? &state->index : nullptr; }

bool ReplaceTranslationCell(std::uint32_t row, int column, std::u16string_view text) {
  if (!state || row >= state->table.RowCount() || column < 0 || column >= kTranslationColumns) {
    return false;
  }
  state->table.SetCell(row, column, text);
  return true;
}

bool DeleteTranslationRow(std::uint32_t row) {
  if (!state || row >= state->table.RowCount()) return false;
  state->table.DeleteRow(row);
  state->index.RemoveRow(static_cast<std::int32_t>(row));
  return true;
}

}  // namespace quillmere
