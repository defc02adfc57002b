#pragma once

// Shared by the translation tests: a fresh process-wide translation state
// with its program folder and per-user folder in temporary folders, and the
// byte form of translation files.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/user_folders.h"
#include "i18n/translation_file.h"
#include "i18n/translations.h"
#include "test_support.h"

namespace quillmere::testing {

// Sets or removes an environment variable for one scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Apply(value);
  }
  ~ScopedEnvironment() { Apply(old_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

class TranslationFixture : public ::testing::Test {
 protected:
  TranslationFixture() { ResetTranslations(program.path().string()); }
  ~TranslationFixture() override { ResetTranslations(""); }

  std::string TableFile() const { return program.File(kTranslationFileName); }
  TranslationTable& Table() { return *ActiveTranslationTable(); }

  // Loads the table from `bytes` as the program does at start.
  void StartWithFile(const std::string& bytes) {
    WriteFile(TableFile(), bytes);
    BuildTranslationIndex();
  }
  // The German texts of the table, in row order.
  std::vector<std::u16string> GermanColumn() {
    std::vector<std::u16string> texts;
    for (std::uint32_t row = 0; row < Table().RowCount(); ++row) {
      texts.emplace_back(Table().Cell(row, 0));
    }
    return texts;
  }

  TempDir program;
  TempDir user_config;
  ScopedEnvironment config_home{"XDG_CONFIG_HOME", user_config.path().string()};
};

inline std::string Int32Bytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
          static_cast<char>((bits >> 16) & 0xFF), static_cast<char>(bits >> 24)};
}

inline std::string CellBytes(std::u16string_view text) {
  std::string bytes = Int32Bytes(static_cast<std::int32_t>(text.size()));
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// A translation file with `columns` cells per row; rows shorter than that are
// filled up with empty cells.
inline std::string TableFileBytes(std::int32_t columns,
                                  const std::vector<std::vector<std::u16string>>& rows) {
  std::string bytes = Int32Bytes(columns) + Int32Bytes(static_cast<std::int32_t>(rows.size()));
  for (const auto& row : rows) {
    for (std::int32_t column = 0; column < columns; ++column) {
      const auto k = static_cast<std::size_t>(column);
      bytes += CellBytes(k < row.size() ? std::u16string_view(row[k]) : std::u16string_view());
    }
  }
  return bytes;
}

}  // namespace quillmere::testing
