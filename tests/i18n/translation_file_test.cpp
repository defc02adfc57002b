#include "i18n/translation_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <vector>

#include "i18n/language.h"
#include "i18n/translations.h"
#include "translation_fixture.h"

namespace quillmere {
namespace {

using testing::CellBytes;
using testing::Int32Bytes;
using testing::ReadFile;
using testing::TableFileBytes;

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (!text.empty()) text.push_back(' ');
    text.push_back(digits[value >> 4]);
    text.push_back(digits[value & 0xF]);
  }
  return text;
}

class TranslationFileTest : public testing::TranslationFixture {};

TEST_F(TranslationFileTest, EmptyTableIsEightBytes) {
  BuildTranslationIndex();
  SaveTranslations();
  EXPECT_EQ(Hex(ReadFile(TableFile())), "14 00 00 00 00 00 00 00");
}

TEST_F(TranslationFileTest, OneLearntRowIsTheHundredAndEighteenBytesExample) {
  BuildTranslationIndex();
  TranslateText(u"Keine Polylines");
  const std::string bytes = ReadFile(TableFile());
  ASSERT_EQ(bytes.size(), 118u);
  EXPECT_EQ(Hex(bytes.substr(0, 16)), "14 00 00 00 01 00 00 00 0F 00 00 00 4B 00 65 00");
  EXPECT_EQ(Hex(bytes.substr(40, 2)), "73 00");
  EXPECT_EQ(bytes.substr(42), std::string(19 * 4, '\0'));

  BuildTranslationIndex();
  ASSERT_EQ(Table().RowCount(), 1u);
  EXPECT_EQ(Table().Cell(0, 0), u"Keine Polylines");
  for (int column = 1; column < kTranslationColumns; ++column) {
    EXPECT_TRUE(Table().Cell(0, column).empty());
  }
}

TEST_F(TranslationFileTest, EightColumnsLoadAndAreSavedWithTwenty) {
  StartWithFile(TableFileBytes(8, {{u"Ja", u"Yes", u"", u"", u"", u"", u"", u"Sim?"},
                                   {u"Nein", u"No"}}));
  ASSERT_EQ(Table().RowCount(), 2u);
  EXPECT_EQ(Table().Cell(0, 7), u"Sim?");
  for (int column = 8; column < kTranslationColumns; ++column) {
    EXPECT_TRUE(Table().Cell(0, column).empty());
  }
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Nein"), u"No");
  SaveTranslations();
  EXPECT_EQ(ReadFile(TableFile()),
            TableFileBytes(20, {{u"Ja", u"Yes", u"", u"", u"", u"", u"", u"Sim?"},
                                {u"Nein", u"No"}}));
}

TEST_F(TranslationFileTest, TwentyFiveColumnsKeepTheFirstTwenty) {
  std::vector<std::u16string> row;
  for (int column = 0; column < 25; ++column) {
    row.push_back({u'c', static_cast<char16_t>(u'A' + column)});
  }
  StartWithFile(TableFileBytes(25, {row, {u"Zweite"}}));
  ASSERT_EQ(Table().RowCount(), 2u);
  EXPECT_EQ(Table().Cell(0, 19), u"cT");
  EXPECT_EQ(Table().Cell(1, 0), u"Zweite");
  SaveTranslations();
  row.resize(20);
  EXPECT_EQ(ReadFile(TableFile()), TableFileBytes(20, {row, {u"Zweite"}}));
}

TEST_F(TranslationFileTest, ZeroOrNegativeRowCountsLoadNothing) {
  for (const std::int32_t rows : {0, -1, -2147483647 - 1}) {
    StartWithFile(Int32Bytes(20) + Int32Bytes(rows) + CellBytes(u"Rest"));
    EXPECT_EQ(Table().RowCount(), 0u) << rows;
  }
}

TEST_F(TranslationFileTest, NoColumnsGiveEmptyRowsAsFarAsTheFileReaches) {
  StartWithFile(Int32Bytes(0) + Int32Bytes(2) + std::string(8, '\0'));
  ASSERT_EQ(Table().RowCount(), 2u);
  EXPECT_TRUE(Table().Cell(1, 0).empty());

  // A huge row count in a file without room for it asks for nothing.
  StartWithFile(Int32Bytes(-3) + Int32Bytes(0x7FFFFFFF));
  EXPECT_EQ(Table().RowCount(), 0u);
}

TEST_F(TranslationFileTest, CodeUnitsAreCountedNotCharacters) {
  BuildTranslationIndex();
  TranslateText(u"ßä");
  TranslateText(u"\U0001F600");
  const std::string bytes = ReadFile(TableFile());
  EXPECT_EQ(Hex(bytes.substr(8, 8)), "02 00 00 00 DF 00 E4 00");
  const std::size_t second_row = 8 + 8 + 19 * 4;
  EXPECT_EQ(Hex(bytes.substr(second_row, 8)), "02 00 00 00 3D D8 00 DE");
  EXPECT_EQ(bytes.size(), second_row + 8 + 19 * 4);
}

TEST_F(TranslationFileTest, StoredZeroUnitEndsTheTextInMemory) {
  StartWithFile(TableFileBytes(20, {{std::u16string(u"Vor\0nach", 8), u"before"}}));
  EXPECT_EQ(Table().Cell(0, 0), u"Vor");
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Vor"), u"before");
}

TEST_F(TranslationFileTest, DamagedFilesKeepTheCompleteRowsAndAreRewrittenWhole) {
  const std::string good = TableFileBytes(20, {{u"Eins", u"one"}, {u"Zwei", u"two"}});
  const std::size_t first_row_end = 8 + CellBytes(u"Eins").size() + CellBytes(u"one").size() + 18 * 4;
  struct Damage {
    std::string bytes;
    std::uint32_t rows_kept;
  };
  const std::vector<Damage> damaged = {
      {"", 0},
      {Int32Bytes(20), 0},
      {good.substr(0, 7), 0},
      {good.substr(0, 8), 0},
      {good.substr(0, 11), 0},                   // inside the first cell length
      {good.substr(0, 14), 0},                   // inside the first text
      {good.substr(0, first_row_end - 1), 0},    // inside the last cell of row 0
      {good.substr(0, first_row_end), 1},        // row 1 missing entirely
      {good.substr(0, good.size() - 2), 1},      // inside the last cell of row 1
      {good.substr(0, first_row_end) + Int32Bytes(0x7FFFFFFF) + "ab", 1},
      {good.substr(0, first_row_end) + Int32Bytes(-5), 1},
      {Int32Bytes(20) + Int32Bytes(0x7FFFFFFF) + good.substr(8), 2},
  };
  for (const Damage& damage : damaged) {
    SCOPED_TRACE(Hex(damage.bytes));
    StartWithFile(damage.bytes);
    ASSERT_EQ(Table().RowCount(), damage.rows_kept);
    SetLanguage(kEnglish);
    if (damage.rows_kept >= 1) {
      EXPECT_EQ(TranslateText(u"Eins"), u"one");
    }
    // The next change rewrites the file whole.
    TranslateText(u"Drei");
    std::vector<std::vector<std::u16string>> expected_rows;
    if (damage.rows_kept >= 1) expected_rows.push_back({u"Eins", u"one"});
    if (damage.rows_kept >= 2) expected_rows.push_back({u"Zwei", u"two"});
    expected_rows.push_back({u"Drei"});
    EXPECT_EQ(ReadFile(TableFile()), TableFileBytes(20, expected_rows));
    SetLanguage(kGerman);
  }
}

TEST_F(TranslationFileTest, UnwritableFolderKeepsTheTableInMemory) {
  ResetTranslations(program.File("missing-folder"));
  BuildTranslationIndex();
  EXPECT_EQ(TranslateText(u"Nur hier"), u"Nur hier");
  EXPECT_EQ(Table().RowCount(), 1u);
  EXPECT_EQ(TranslateText(u"Nur hier"), u"Nur hier");
  EXPECT_EQ(Table().RowCount(), 1u);
  EXPECT_FALSE(std::filesystem::exists(program.File("missing-folder")));
}

// File-size limits exist only on POSIX systems.
#ifndef _WIN32
// A file-size limit makes every save past it fail the way a full disk does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  void (*previous_handler_)(int) = nullptr;
};

TEST_F(TranslationFileTest, FailedWriteLeavesThePreviousFileInPlace) {
  BuildTranslationIndex();
  TranslateText(u"Erste");
  const std::string before = ReadFile(TableFile());
  ASSERT_EQ(before.size(), 8u + 4 + 10 + 19 * 4);
  {
    const FileSizeLimit limit(before.size() + 20);
    EXPECT_EQ(TranslateText(u"Zweiter Text, zu lang"), u"Zweiter Text, zu lang");
  }
  EXPECT_EQ(ReadFile(TableFile()), before);
  EXPECT_EQ(Table().RowCount(), 2u);
  std::vector<std::string> leftovers;
  for (const auto& entry : std::filesystem::directory_iterator(program.path())) {
    leftovers.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(leftovers, std::vector<std::string>{kTranslationFileName});

  // The learnt row is still found, and the next change saves everything.
  EXPECT_EQ(TranslateText(u"Zweiter Text, zu lang"), u"Zweiter Text, zu lang");
  TranslateText(u"Dritte");
  EXPECT_EQ(ReadFile(TableFile()),
            TableFileBytes(20, {{u"Erste"}, {u"Zweiter Text, zu lang"}, {u"Dritte"}}));
}

#endif

TEST_F(TranslationFileTest, WriteProtectedFileStillLoads) {
  testing::WriteFile(TableFile(), TableFileBytes(20, {{u"Schreibgeschützt", u"read-only"}}));
  std::filesystem::permissions(TableFile(), std::filesystem::perms::owner_read);
  BuildTranslationIndex();
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Schreibgeschützt"), u"read-only");
}

}  // namespace
}  // namespace quillmere
