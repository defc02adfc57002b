// The translation editor's model: deleting a row after a question whose
// default keeps it, the search, and the fixed columns.

#include "app/presenter/translation_editor.h"

#include <gtest/gtest.h>

#include "i18n/translation_file.h"
#include "i18n/translation_table.h"
#include "i18n/translations.h"
#include "i18n/language.h"
#include "presenter/presenter_fakes.h"
#include "test_support.h"

namespace quillmere {
namespace {

using Answer = Questions::Answer;
using testing::RecordingGrid;
using testing::ScriptedQuestions;

class TranslationEditorTest : public ::testing::Test {
 protected:
  ~TranslationEditorTest() override { ResetTranslations(std::string()); }

  // The table of `rows` (German, English, ...) as the program loads it.
  void Open(const std::vector<std::vector<std::u16string>>& rows) {
    TranslationTable table;
    for (const auto& cells : rows) {
      const std::uint32_t row = table.AppendRow().value();
      for (std::size_t column = 0; column < cells.size(); ++column) {
        table.SetCell(row, static_cast<int>(column), cells[column]);
      }
    }
    SaveTranslationFile(file_, table);
    ResetTranslations(dir_.path().string());
    BuildTranslationIndex();
    editor_.Fill();
  }
  std::vector<std::u16string> SavedGerman() const {
    TranslationTable table;
    LoadTranslationFile(file_, table);
    std::vector<std::u16string> german;
    for (std::uint32_t row = 0; row < table.RowCount(); ++row) {
      german.emplace_back(table.Cell(row, 0));
    }
    return german;
  }

  testing::TempDir dir_;
  std::string file_ = dir_.File(kTranslationFileName);
  RecordingGrid grid_;
  ScriptedQuestions questions_;
  ShownTexts texts_;
  TranslationEditor editor_{grid_, questions_, texts_};
};

// Esc opens the question and Return then gives its default, No: the row
// and the file stay as they were. Yes deletes the row from table and file,
// the row below takes its place, and lookups stay in step.
TEST_F(TranslationEditorTest, DeletingAsksWithNoAsDefaultAndYesDeletes) {
  Open({{u"Apfel", u"apple"}, {u"Birne", u"pear"}, {u"Kirsche", u"cherry"}});
  EXPECT_EQ(grid_.cells[0][0], u"German");
  EXPECT_EQ(grid_.cells[2][1], u"pear");
  grid_.row = 2;
  const std::string before = testing::ReadFile(file_);
  editor_.DeleteRow();  // answered by Return
  ASSERT_EQ(questions_.asked.size(), 1u);
  EXPECT_EQ(questions_.asked[0].text, u"Birne");
  EXPECT_EQ(questions_.asked[0].caption, u"Übersetzen");
  EXPECT_EQ(questions_.asked[0].default_answer, Answer::kNo);
  EXPECT_EQ(testing::ReadFile(file_), before);
  EXPECT_EQ(grid_.cells.size(), 4u);

  questions_.answers = {Answer::kYes};
  editor_.DeleteRow();
  EXPECT_EQ(SavedGerman(), (std::vector<std::u16string>{u"Apfel", u"Kirsche"}));
  EXPECT_EQ(grid_.cells.size(), 3u);
  EXPECT_EQ(grid_.cells[2][0], u"Kirsche");
  EXPECT_EQ(grid_.row, 2);
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Kirsche"), u"cherry");
  SetLanguage(kGerman);

  // Without a table row nothing is asked; the Delete key is the grid's
  // while a cell is edited.
  grid_.row = 0;
  editor_.DeleteRow();
  EXPECT_EQ(questions_.asked.size(), 2u);
  grid_.editing = true;
  EXPECT_FALSE(editor_.DeleteKey());
}

// The heading row first; only the letters a to z ignore their case; No ends
// the search; each hit is scrolled to the top left.
TEST_F(TranslationEditorTest, SearchVisitsEveryCellFromTheHeadingsOn) {
  Open({{u"Über"}, {u"über"}, {u"Germanistik", u"", u"", u"xa"}});
  std::vector<std::pair<int, int>> hits;
  questions_.on_ask = [&] { hits.emplace_back(grid_.top_row, grid_.left_column); };
  questions_.answers.assign(10, Answer::kYes);
  editor_.Search(u"german");
  EXPECT_EQ(hits, (std::vector<std::pair<int, int>>{{0, 0}, {3, 0}}));
  hits.clear();
  editor_.Search(u"über");
  EXPECT_EQ(hits, (std::vector<std::pair<int, int>>{{2, 0}}));
  hits.clear();
  questions_.answers = {Answer::kNo};
  editor_.Search(u"BER");
  EXPECT_EQ(hits, (std::vector<std::pair<int, int>>{{1, 0}}));
  hits.clear();
  editor_.Search(u"");
  EXPECT_TRUE(hits.empty());

  editor_.FixedColumnsTicked(true);
  EXPECT_EQ(grid_.fixed_cols, 2);
  editor_.FixedColumnsTicked(false);
  EXPECT_EQ(grid_.fixed_cols, 0);
}

TEST_F(TranslationEditorTest, EveryEditIsStoredAndSaved) {
  Open({{u"Hallo"}});
  editor_.CellEdited(1, 1, u"He");
  EXPECT_EQ(ActiveTranslationTable()->Cell(0, 1), u"He");
  TranslationTable saved;
  LoadTranslationFile(file_, saved);
  EXPECT_EQ(saved.Cell(0, 1), u"He");
  editor_.CellEdited(1, 5, u"no such row");  // saved, nothing stored
  EXPECT_EQ(ActiveTranslationTable()->RowCount(), 1u);
}

}  // namespace
}  // namespace quillmere
