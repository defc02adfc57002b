#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "i18n/translations.h"
#include "translation_fixture.h"

namespace quillmere {
namespace {

using testing::ReadFile;
using testing::TableFileBytes;

class TranslateTextTest : public testing::TranslationFixture {};

TEST_F(TranslateTextTest, EmptySourceAndSpacesOnlyAreNeitherTranslatedNorLearnt) {
  BuildTranslationIndex();
  EXPECT_EQ(TranslateText(u""), u"");
  EXPECT_EQ(TranslateText(u"   "), u"   ");
  EXPECT_EQ(Table().RowCount(), 0u);
  EXPECT_FALSE(std::filesystem::exists(TableFile()));
}

TEST_F(TranslateTextTest, NewTextIsLearntOnceAsOneRowAndSavedAtOnce) {
  BuildTranslationIndex();
  EXPECT_EQ(TranslateText(u"  Datei öffnen "), u"  Datei öffnen ");
  ASSERT_EQ(Table().RowCount(), 1u);
  EXPECT_EQ(Table().Cell(0, 0), u"Datei öffnen");
  for (int column = 1; column < kTranslationColumns; ++column) {
    EXPECT_TRUE(Table().Cell(0, column).empty()) << column;
  }
  const std::string saved = TableFileBytes(20, {{u"Datei öffnen"}});
  EXPECT_EQ(ReadFile(TableFile()), saved);

  // Found now, whatever its spaces: nothing more is learnt or written.
  std::filesystem::remove(TableFile());
  EXPECT_EQ(TranslateText(u"Datei öffnen"), u"Datei öffnen");
  EXPECT_EQ(TranslateText(u"Datei öffnen  "), u"Datei öffnen  ");
  EXPECT_EQ(Table().RowCount(), 1u);
  EXPECT_FALSE(std::filesystem::exists(TableFile()));
}

TEST_F(TranslateTextTest, SpacesFollowTheSourceNotTheStoredTranslation) {
  StartWithFile(TableFileBytes(
      20, {{u"und den Teststellen für die Line.", u" \t and the test points of the line.\r\n "}}));
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"und den Teststellen für die Line. "),
            u"and the test points of the line. ");
  EXPECT_EQ(TranslateText(u"  und den Teststellen für die Line."),
            u"  and the test points of the line.");
  EXPECT_EQ(Table().RowCount(), 1u);
}

TEST_F(TranslateTextTest, OnlySpacesAreStrippedFromTheSource) {
  StartWithFile(TableFileBytes(20, {{u"Text", u"text"}}));
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Text\t"), u"Text\t");  // a new key, learnt
  EXPECT_EQ(Table().RowCount(), 2u);
  EXPECT_EQ(Table().Cell(1, 0), u"Text\t");
}

TEST_F(TranslateTextTest, EmptyOrBlankTranslationCells) {
  StartWithFile(TableFileBytes(20, {{u"Zeile", u"", u"  \t "}}));
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u" Zeile  "), u" Zeile  ");
  SetLanguage(kFrench);  // a translation of blanks only keeps just the source's spaces
  EXPECT_EQ(TranslateText(u" Zeile  "), u"   ");
  EXPECT_EQ(Table().RowCount(), 1u);
}

TEST_F(TranslateTextTest, GermanReturnsTheSourceUnlessTheKeyEndsInControlCharacters) {
  StartWithFile(TableFileBytes(20, {{u"Hallo", u"Hello"}, {u"Tab\t", u"tab"}}));
  EXPECT_EQ(TranslateText(u"Hallo "), u"Hallo ");
  EXPECT_EQ(TranslateText(u"Tab\t"), u"Tab");
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Hallo "), u"Hello ");
}

TEST_F(TranslateTextTest, LetterCaseMakesTwoKeys) {
  BuildTranslationIndex();
  TranslateText(u"Abbrechen");
  TranslateText(u"ABBRECHEN");
  TranslateText(u"abbrechen");
  EXPECT_EQ(GermanColumn(), (std::vector<std::u16string>{u"Abbrechen", u"ABBRECHEN", u"abbrechen"}));
  ASSERT_TRUE(ReplaceTranslationCell(1, kEnglish, u"CANCEL"));
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Abbrechen"), u"Abbrechen");
  EXPECT_EQ(TranslateText(u"ABBRECHEN"), u"CANCEL");
}

TEST_F(TranslateTextTest, TextsAreBucketedByTheLowByteOfTheirFirstUnit) {
  EXPECT_EQ(TranslationIndex::BucketOf(u"Übersetzen"), 220);
  EXPECT_EQ(TranslationIndex::BucketOf(u"\u0410бв"), 16);
  BuildTranslationIndex();
  TranslateText(u"Übersetzen");
  TranslateText(u"\u0410бв");
  TranslateText(u"\U0001F600 smile");  // a surrogate pair: bucket of U+D83D
  const TranslationIndex& index = *ActiveTranslationIndex();
  ASSERT_EQ(index.BucketSize(220), 1u);
  EXPECT_EQ(index.Entry(220, 0).row, 0);
  ASSERT_EQ(index.BucketSize(16), 1u);
  EXPECT_EQ(index.Entry(16, 0).row, 1);
  ASSERT_EQ(index.BucketSize(0x3D), 1u);
  EXPECT_EQ(index.Entry(0x3D, 0).row, 2);
  EXPECT_EQ(TranslateText(u"\U0001F600 smile"), u"\U0001F600 smile");
  EXPECT_EQ(Table().RowCount(), 3u);
}

TEST_F(TranslateTextTest, CatalogueTextsSixAndElevenShareOneRow) {
  BuildTranslationIndex();
  EXPECT_EQ(CatalogueText(6), u"Folgende DXF Datei konnte nicht geöffnet werden:");
  EXPECT_EQ(CatalogueText(11), CatalogueText(6));
  EXPECT_EQ(Table().RowCount(), 1u);
  ASSERT_TRUE(ReplaceTranslationCell(0, kEnglish, u"The following DXF file could not be opened:"));
  SetLanguage(kEnglish);
  EXPECT_EQ(CatalogueText(11), u"The following DXF file could not be opened:");
  EXPECT_EQ(CatalogueText(6), CatalogueText(11));
  EXPECT_EQ(FileMessage(11, "a.dxf"), u"The following DXF file could not be opened: a.dxf");
}

TEST_F(TranslateTextTest, NumbersOutsideTheCatalogueGiveEmptyTextsAndLearnNothing) {
  BuildTranslationIndex();
  for (const int n : {0, 17, 29, -1, 3, 8}) EXPECT_EQ(CatalogueText(n), u"") << n;
  EXPECT_EQ(Table().RowCount(), 0u);
}

TEST_F(TranslateTextTest, PretranslateCatalogueLearnsEightRowsInCatalogueOrder) {
  BuildTranslationIndex();
  PretranslateCatalogue();
  std::vector<std::u16string> expected;
  for (const int n : {1, 2, 6, 7, 9, 10, 15, 16}) expected.emplace_back(CatalogueGerman(n));
  EXPECT_EQ(GermanColumn(), expected);
  PretranslateCatalogue();
  EXPECT_EQ(Table().RowCount(), 8u);
  const std::string saved = ReadFile(TableFile());
  EXPECT_EQ(saved.substr(0, 8), testing::Int32Bytes(20) + testing::Int32Bytes(8));
}

TEST_F(TranslateTextTest, WithoutATableTextsPassThroughAndNothingIsWritten) {
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u" Neu "), u" Neu ");
  EXPECT_EQ(CatalogueText(16), u"Keine Polylines");
  EXPECT_EQ(ActiveTranslationTable(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(TableFile()));
}

TEST_F(TranslateTextTest, WithoutAProgramFolderLearningStaysInMemory) {
  ResetTranslations("");
  BuildTranslationIndex();
  EXPECT_EQ(TranslateText(u"Nur im Speicher"), u"Nur im Speicher");
  EXPECT_EQ(Table().RowCount(), 1u);
  EXPECT_EQ(TranslateText(u"Nur im Speicher"), u"Nur im Speicher");
  EXPECT_EQ(Table().RowCount(), 1u);
}

TEST_F(TranslateTextTest, DuplicateGermanRowsUseTheFirstEntryAfterTheStartUpSort) {
  // The partition swaps equal keys, so of two equal rows the later one comes
  // first in its bucket.
  StartWithFile(TableFileBytes(20, {{u"Doppelt", u"first"}, {u"Doppelt", u"second"}}));
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Doppelt"), u"second");
  EXPECT_EQ(Table().RowCount(), 2u);
}

TEST_F(TranslateTextTest, LearntAndEditedTextsGiveTheSameResultsAfterAReload) {
  BuildTranslationIndex();
  PretranslateCatalogue();
  TranslateText(u"Zurück...");
  TranslateText(u"\U0001D11E Noten");
  ASSERT_TRUE(ReplaceTranslationCell(1, kEnglish, u"Translate"));
  ASSERT_TRUE(ReplaceTranslationCell(8, kFrench, u" Retour... "));
  ASSERT_TRUE(ReplaceTranslationCell(9, 19, u"\U0001D11E notes"));
  SaveTranslations();
  const std::vector<std::u16string> sources = {
      u"Übersetzen", u"Zurück... ", u"\U0001D11E Noten", u"Keine Polylines", u"Unbekannt"};
  const auto results = [&] {
    std::vector<std::u16string> texts;
    for (const int language_number : {0, 1, 2, 19}) {
      SetLanguage(language_number);
      for (const auto& source : sources) texts.push_back(TranslateText(source));
    }
    return texts;
  };
  const std::vector<std::u16string> before = results();
  const std::string file_before = ReadFile(TableFile());

  ResetTranslations(program.path().string());
  BuildTranslationIndex();
  EXPECT_EQ(Table().RowCount(), 11u);  // including "Unbekannt", learnt before the reload
  EXPECT_EQ(results(), before);
  EXPECT_EQ(ReadFile(TableFile()), file_before);
  EXPECT_EQ(before[1 * 5 + 0], u"Translate");
  EXPECT_EQ(before[2 * 5 + 1], u"Retour... ");
}

TEST_F(TranslateTextTest, SortedBucketsHoldEveryRowInCodeUnitOrder) {
  std::vector<std::vector<std::u16string>> rows;
  const std::vector<std::u16string> keys = {u"Az",     u"A",      u"Ab",     u"A\uFFFF", u"A\u0100",
                                            u"Abc",    u"AZ",     u"Ab",     u"A ",      u"Abd",
                                            u"A\u00E4", u"Aa",     u"Abc",    u"A\u0100", u"B"};
  for (const auto& key : keys) rows.push_back({key});
  StartWithFile(TableFileBytes(20, rows));
  const TranslationIndex& index = *ActiveTranslationIndex();
  ASSERT_EQ(index.BucketSize('A'), keys.size() - 1);
  std::vector<bool> seen(keys.size(), false);
  std::u16string_view previous;
  for (std::uint32_t k = 0; k < index.BucketSize('A'); ++k) {
    const IndexEntry& entry = index.Entry('A', k);
    const std::u16string_view key(entry.key);
    EXPECT_LE(previous, key) << k;
    EXPECT_EQ(key, keys[static_cast<std::size_t>(entry.row)]);
    EXPECT_FALSE(seen[static_cast<std::size_t>(entry.row)]);
    seen[static_cast<std::size_t>(entry.row)] = true;
    previous = key;
  }
  EXPECT_EQ(std::u16string_view(index.Entry('A', 0).key), u"A");
  EXPECT_EQ(std::u16string_view(index.Entry('A', 1).key), u"A ");
  EXPECT_EQ(std::u16string_view(index.Entry('A', 13).key), u"A\uFFFF");

  // Ranges outside a bucket are refused rather than read past its end.
  const std::u16string_view last(index.Entry('A', 13).key);
  SortBucket('A', 13, 14);
  SortBucket('A', -1, 0);
  SortBucket(256, 0, 0);
  SortBucket('B', 0, 1);
  EXPECT_EQ(std::u16string_view(index.Entry('A', 13).key), last);
}

TEST_F(TranslateTextTest, ALargeShuffledBucketSortsAndEveryKeyIsFound) {
  std::vector<std::vector<std::u16string>> rows;
  std::minstd_rand random(7);
  for (int k = 0; k < 700; ++k) {
    std::u16string key = u"K";
    const int length = static_cast<int>(random() % 4);
    for (int c = 0; c < length; ++c) key.push_back(static_cast<char16_t>(u'a' + random() % 3));
    rows.push_back({key, key + u"!"});
  }
  StartWithFile(TableFileBytes(20, rows));
  const TranslationIndex& index = *ActiveTranslationIndex();
  ASSERT_EQ(index.BucketSize('K'), 700u);
  for (std::uint32_t k = 1; k < 700; ++k) {
    ASSERT_LE(std::u16string_view(index.Entry('K', k - 1).key),
              std::u16string_view(index.Entry('K', k).key));
  }
  SetLanguage(kEnglish);
  for (const auto& row : rows) ASSERT_EQ(TranslateText(row[0]), row[1]);
  EXPECT_EQ(Table().RowCount(), 700u);
}

TEST_F(TranslateTextTest, DeletingARowKeepsTheIndexInStep) {
  StartWithFile(TableFileBytes(20, {{u"Eins", u"one"},
                                    {u"Zwei", u"two"},
                                    {u"Drei", u"three"},
                                    {u"Zwei", u"two again"},
                                    {u"Vier", u"four"}}));
  SetLanguage(kEnglish);
  EXPECT_FALSE(DeleteTranslationRow(5));
  ASSERT_TRUE(DeleteTranslationRow(1));
  EXPECT_EQ(GermanColumn(), (std::vector<std::u16string>{u"Eins", u"Drei", u"Zwei", u"Vier"}));
  EXPECT_EQ(TranslateText(u"Eins"), u"one");
  EXPECT_EQ(TranslateText(u"Drei"), u"three");
  EXPECT_EQ(TranslateText(u"Zwei"), u"two again");
  EXPECT_EQ(TranslateText(u"Vier"), u"four");

  ASSERT_TRUE(DeleteTranslationRow(2));
  EXPECT_EQ(TranslateText(u"Vier"), u"four");
  EXPECT_EQ(ActiveTranslationIndex()->BucketSize('Z'), 0u);
  EXPECT_EQ(TranslateText(u"Zwei"), u"Zwei");  // learnt again, at the end
  EXPECT_EQ(GermanColumn(), (std::vector<std::u16string>{u"Eins", u"Drei", u"Vier", u"Zwei"}));
}

TEST_F(TranslateTextTest, ChangedGermanCellIsFoundUnderItsFormerTextUntilTheNextStart) {
  StartWithFile(TableFileBytes(20, {{u"Alt", u"old"}}));
  ASSERT_TRUE(ReplaceTranslationCell(0, 0, u"Neu"));
  EXPECT_FALSE(ReplaceTranslationCell(1, 0, u"x"));
  EXPECT_FALSE(ReplaceTranslationCell(0, 20, u"x"));
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Alt"), u"old");
  SaveTranslations();
  BuildTranslationIndex();
  EXPECT_EQ(TranslateText(u"Neu"), u"old");
}

}  // namespace
}  // namespace quillmere
