// The readable source of the shipped translation table: cells taken exactly,
// escapes, skipped lines, and the faults that must stop the build instead of
// shipping a row the lookup can never find.

#include <gtest/gtest.h>

#include "i18n/translation_source.h"

namespace quillmere {
namespace {

constexpr char kHeading[] = "German\tEnglish\tFrench\tDutch\tItalian\tSpanish\tPortuguese\n";

TEST(TranslationSource, CellsAreTakenExactlyWithTheirEscapesReplaced) {
  const TranslationSource source = ParseTranslationSource(
      std::string(kHeading) +
      "# a comment\n"
      "\n"
      "Zeile\\tmit Tab\tline with tab \tligne\\nsuivante\t\\\\\t\t\tLinha\r\n"
      "Übersetzen\tTranslate\tTraduire\tVertalen\tTraduci\tTraducir\tTraduzir");
  ASSERT_EQ(source.errors, std::vector<std::string>{});
  ASSERT_EQ(source.rows.size(), 2u);
  const auto& first = source.rows[0];
  EXPECT_EQ(first[0], u"Zeile\tmit Tab");
  EXPECT_EQ(first[1], u"line with tab ");  // blanks are kept
  EXPECT_EQ(first[2], u"ligne\nsuivante");
  EXPECT_EQ(first[3], u"\\");
  EXPECT_EQ(first[4], u"");
  EXPECT_EQ(first[6], u"Linha");  // a CR LF line end is no part of the cell
  EXPECT_EQ(source.rows[1][0], u"Übersetzen");
  EXPECT_EQ(source.rows[1][6], u"Traduzir");

  TranslationTable table;
  FillTranslationTable(source, table);
  ASSERT_EQ(table.RowCount(), 2u);
  EXPECT_EQ(table.Cell(0, 2), u"ligne\nsuivante");
  EXPECT_EQ(table.Cell(1, 1), u"Translate");
  EXPECT_EQ(table.Cell(1, 7), u"");
}

TEST(TranslationSource, FaultsNameTheirLineAndKeepTheRowOut) {
  const TranslationSource source = ParseTranslationSource(
      std::string(kHeading) +
      "Zu wenig\tToo few\n"
      "Falsch\\x\ta\tb\tc\td\te\tf\n"
      " Leerzeichen\ta\tb\tc\td\te\tf\n"
      "Leerzeichen \ta\tb\tc\td\te\tf\n"
      "\ta\tb\tc\td\te\tf\n"
      "Doppelt\ta\tb\tc\td\te\tf\n"
      "Doppelt\tA\tB\tC\tD\tE\tF\n");
  EXPECT_EQ(source.errors, (std::vector<std::string>{
                               "line 2: 2 cells, not 7",
                               "line 3: unknown escape in cell 1",
                               "line 4: the German text is empty or has blanks at its ends",
                               "line 5: the German text is empty or has blanks at its ends",
                               "line 6: the German text is empty or has blanks at its ends",
                               "line 8: the German text has a row already",
                           }));
  ASSERT_EQ(source.rows.size(), 1u);
  EXPECT_EQ(source.rows[0][1], u"a");
}

}  // namespace
}  // namespace quillmere
