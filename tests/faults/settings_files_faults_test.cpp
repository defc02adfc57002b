// Fault tests of the two small files of the translation subsystem: a
// translation table that claims far more rows than it holds, and files or
// folders in the place of either file. Loading must stay quick and silent,
// and nothing may be lost that was not already broken.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "faults/job_faults.h"
#include "support/user_folders.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "i18n/translation_file.h"
#include "i18n/translations.h"

namespace quillmere::faults {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string Int32Bytes(std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
  return bytes;
}

class SettingsFilesFaultTest : public ::testing::Test {
 protected:
  SettingsFilesFaultTest() {
    const char* const config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr) saved_config_ = config;
    ::setenv("XDG_CONFIG_HOME", dir_.File("config").c_str(), 1);
  }
  ~SettingsFilesFaultTest() override {
    ResetTranslations("");
    if (saved_config_) {
      ::setenv("XDG_CONFIG_HOME", saved_config_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }

  std::string TableFile() const { return dir_.File(kTranslationFileName); }

  // Starts the translation subsystem on a table file holding `bytes`;
  // returns the seconds that loading took.
  double StartWith(const std::string& bytes) {
    WriteFile(TableFile(), bytes);
    const auto start = std::chrono::steady_clock::now();
    ResetTranslations(dir_.path().string());
    BuildTranslationIndex();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  std::uint32_t Rows() const { return ActiveTranslationTable()->RowCount(); }

  TempDir dir_;
  std::optional<std::string> saved_config_;
};

TEST_F(SettingsFilesFaultTest, TableClaimingTwoToThe31RowsLoadsQuicklyAndBounded) {
  const std::string zeros(4 << 20, '\0');
  const std::string cell = Int32Bytes(3) + std::string("E\0i\0n\0", 6);
  struct Claim {
    std::uint32_t columns;
    std::uint32_t rows;
    std::string rest;
    std::uint32_t most_rows;
  };
  const Claim claims[] = {
      {20, 0x80000000u, cell, 0},      // the sign bit set: a negative count
      {20, 0x7FFFFFFFu, zeros, 10000},  // zero bytes read as empty cells
      {1, 0x7FFFFFFFu, zeros, 10000},   // one empty cell a row: a million rows
      {0, 0x7FFFFFFFu, zeros, 10000},   // rows without cells
      {0x7FFFFFFFu, 0x7FFFFFFFu, cell + zeros, 0},
  };
  for (const Claim& claim : claims) {
    SCOPED_TRACE(std::to_string(claim.columns) + " columns");
    const std::string bytes = Int32Bytes(claim.columns) + Int32Bytes(claim.rows) + claim.rest;
    const double seconds = StartWith(bytes);
    EXPECT_LT(seconds, 5.0);
    EXPECT_LE(Rows(), claim.most_rows);
    // Loading changes nothing on disk; the next learnt text rewrites the
    // file whole, with the rows kept.
    EXPECT_EQ(ReadFile(TableFile()), bytes);
    const std::uint32_t kept = Rows();
    TranslateText(u"Neu");
    ASSERT_EQ(Rows(), kept + 1);
    const std::string saved = ReadFile(TableFile());
    EXPECT_EQ(saved.substr(0, 8), Int32Bytes(20) + Int32Bytes(kept + 1));
  }
}

TEST_F(SettingsFilesFaultTest, FoldersInPlaceOfTheFilesAreSilentlyPassedOver) {
  // translate.dat and options.dat are folders: the start is German with an
  // empty table, and saving either file fails silently, leaving the folders.
  std::filesystem::create_directories(TableFile());
  const std::string options = GetProgramDir(true) + kOptionsFileName;
  std::filesystem::create_directories(options);

  ResetTranslations(dir_.path().string());
  BuildTranslationIndex();
  LoadOptions();
  EXPECT_EQ(Rows(), 0u);
  EXPECT_EQ(languagesetto(), kGerman);
  EXPECT_EQ(TranslateText(u"Text"), u"Text");
  EXPECT_EQ(Rows(), 1u);
  SetLanguage(kEnglish);
  SaveOptions();
  EXPECT_TRUE(std::filesystem::is_directory(TableFile()));
  EXPECT_TRUE(std::filesystem::is_directory(options));
}

TEST_F(SettingsFilesFaultTest, HugeOptionsFileGivesItsFirstFourBytes) {
  const std::string options = GetProgramDir(true) + kOptionsFileName;
  WriteFile(options, Int32Bytes(kDutch) + std::string(10 << 20, '\x07'));
  LoadOptions();
  EXPECT_EQ(languagesetto(), kDutch);
  EXPECT_EQ(language(), kGerman);
  // Saving replaces it by exactly four bytes.
  SetLanguage(kDutch);
  SaveOptions();
  EXPECT_EQ(ReadFile(options), Int32Bytes(kDutch));
}

}  // namespace
}  // namespace quillmere::faults
