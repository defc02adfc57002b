// The translation editor drawn with Qt: the grid filled from the table,
// editing that saves on every keystroke, the keys that delete a row, a
// search's hit shown at the top left, and the fixed columns' view. What the
// editor does with the table is the presenter's (tests/presenter).

#include <filesystem>

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "app/gui/translate_form.h"
#include "gui/gui_test_support.h"
#include "i18n/language.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::SavedColumn;
using testing::ScriptedQuestions;
using testing::TableColumn;
using testing::TableRow;
using testing::TranslationSandbox;
using Answer = Questions::Answer;

namespace {

// Rows "Zeile 1" to "Zeile n" with nothing else.
std::vector<TableRow> NumberedRows(int count) {
  std::vector<TableRow> rows;
  for (int row = 1; row <= count; ++row) {
    rows.push_back({u"Zeile " + QString::number(row).toStdU16String()});
  }
  return rows;
}

// A cell of the grid, as the search reached it: row and column, and the
// row and column shown at the top left.
struct Hit {
  int row;
  int column;
  int top_row;
  int left_column;
  bool operator==(const Hit&) const = default;
};

char* toString(const Hit& hit) {
  return QTest::toString(QStringLiteral("row %1 column %2, top %3 left %4")
                             .arg(hit.row)
                             .arg(hit.column)
                             .arg(hit.top_row)
                             .arg(hit.left_column));
}

}  // namespace

class TranslateFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<TranslationSandbox>();
    questions_ = std::make_unique<ScriptedQuestions>();
  }
  void cleanup() {
    form_.reset();
    sandbox_.reset();
  }

  void WindowShowsTheHeadingsAndOneGridRowPerTableRow() {
    Open({{u"Hallo", u"Hello"}, {u"Über...", u"", u"À propos..."}});
    QCOMPARE(form_->windowTitle(), QStringLiteral("Übersetzen"));
    QCOMPARE(form_->size(), QSize(705, 453));
    // Centred, up to the window frame's few pixels.
    QVERIFY((form_->geometry().center() - form_->screen()->geometry().center()).manhattanLength() <=
            8);
    QCOMPARE(form_->BackBtn.text(), QStringLiteral("Zurück..."));
    QCOMPARE(form_->FilterEdit.text(), QString());
    QCOMPARE(form_->FilterBtn.text(), QStringLiteral("Suchen"));
    QCOMPARE(form_->DeleteRowBtn.text(), QStringLiteral("Zeile löchen"));
    QCOMPARE(form_->FixedColCheck.text(), QStringLiteral("Erste Spalte fixieren"));
    QVERIFY(!form_->FixedColCheck.isChecked());
    // Top to bottom: the two bars, the grid filling the rest, the status bar.
    QVERIFY(form_->Panel1.geometry().bottom() < form_->Panel2.geometry().top());
    QVERIFY(form_->Panel2.geometry().bottom() < form_->StringGrid1.geometry().top());
    QVERIFY(form_->StringGrid1.geometry().bottom() < form_->StatusBar1.geometry().top());
    QCOMPARE(form_->StatusBar1.geometry().bottom(), form_->height() - 1);
    QCOMPARE(form_->StatusBar1.currentMessage(), QString());

    const StringGrid& grid = form_->StringGrid1;
    QCOMPARE(grid.ColCount(), 20);
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(grid.FixedCols(), 0);
    QCOMPARE(grid.columnWidth(0), 250);
    QCOMPARE(grid.columnWidth(19), 250);
    QStringList headings;
    for (int column = 0; column < 20; ++column) headings.append(grid.Cell(column, 0));
    QCOMPARE(headings,
             (QStringList{"German", "English", "Français", "Nederlands", "Italian", "Spanish",
                          "Portuguese", "language7", "language8", "language9", "language10",
                          "language11", "language12", "language13", "language14", "language15",
                          "language16", "language17", "language18", "language19"}));
    QCOMPARE(grid.Cell(0, 1), QStringLiteral("Hallo"));
    QCOMPARE(grid.Cell(1, 1), QStringLiteral("Hello"));
    QCOMPARE(grid.Cell(0, 2), QStringLiteral("Über..."));
    QCOMPARE(grid.Cell(1, 2), QString());
    QCOMPARE(grid.Cell(2, 2), QStringLiteral("À propos..."));
    QCOMPARE(grid.Row(), 1);  // a cell is current as soon as there are rows
  }

  void EveryKeystrokeIsStoredAndSavedAndOnceMoreWhenTheCellIsLeft() {
    Open({{u"Hallo"}, {u"Welt"}});
    StringGrid& grid = form_->StringGrid1;
    grid.setCurrentCell(0, 1);
    grid.setFocus();
    const std::string file = sandbox_->TranslationFile();
    QString typed;
    for (const QChar key : QStringLiteral("Hey")) {
      std::filesystem::remove(file);
      QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
      typed += key;
      QVERIFY(grid.IsEditing());
      QCOMPARE(testing::CellText(*ActiveTranslationTable(), 0, 1), typed);
      QVERIFY(std::filesystem::exists(file));
      QCOMPARE(SavedColumn(file, 1), (QStringList{typed, ""}));
    }
    std::filesystem::remove(file);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!grid.IsEditing());
    QVERIFY(std::filesystem::exists(file));
    QCOMPARE(grid.Cell(1, 1), QStringLiteral("Hey"));

    // The next lookup in English uses it.
    SetLanguage(kEnglish);
    QVERIFY(TranslateText(u"Hallo") == u"Hey");
  }

  void TypingInTheMiddleOfACellKeepsTheCursorThere() {
    Open({{u"Hallo", u"Hlo"}});
    StringGrid& grid = form_->StringGrid1;
    grid.setCurrentCell(0, 1);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_F2);
    QVERIFY(grid.IsEditing());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->setCursorPosition(1);
    QTest::keyClicks(editor, QStringLiteral("el"));
    QCOMPARE(testing::CellText(*ActiveTranslationTable(), 0, 1), QStringLiteral("Hello"));
  }

  void DeleteKeyDeletesTheRowUnlessACellIsBeingEdited() {
    Open({{u"abc"}});
    StringGrid& grid = form_->StringGrid1;
    grid.setCurrentCell(0, 0);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Delete);
    QCOMPARE(questions_->asked.size(), std::size_t{1});  // answered No

    QTest::keyClick(&grid, Qt::Key_F2);
    QVERIFY(grid.IsEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(questions_->asked.size(), std::size_t{1});
    QCOMPARE(TableColumn(*ActiveTranslationTable(), 0), QStringList{"bc"});
  }

  // Esc is the delete button's; its question keeps the row at Return.
  void EscapeAsksToDeleteAndKeepsTheWindowOpen() {
    Open({{u"abc"}});
    form_->FilterEdit.setFocus();
    QTest::keyClick(&form_->FilterEdit, Qt::Key_Escape);
    QCOMPARE(questions_->asked.size(), std::size_t{1});
    QVERIFY(questions_->asked.front().text == u"abc");
    QVERIFY(questions_->asked.front().default_answer == Answer::kNo);
    QVERIFY(form_->isVisible());
    QCOMPARE(TableColumn(*ActiveTranslationTable(), 0), QStringList{"abc"});
  }

  void SearchShowsEachHitAtTheTopLeftUntilNo() {
    std::vector<TableRow> rows = NumberedRows(60);
    rows[4] = {u"Zeile 5", u"", u"", u"xa"};
    rows[11] = {u"Zeile 12", u"", u"", u"", u"", u"", u"", u"bX", u"x"};
    Open(rows);
    StringGrid& grid = form_->StringGrid1;
    form_->FilterEdit.setText(QStringLiteral("x"));
    std::vector<Hit> found;
    questions_->on_ask = [&] {
      found.push_back({grid.Row(), grid.currentColumn(), grid.TopRow(), grid.LeftCol()});
      QCOMPARE(grid.selectedItems().size(), 1);
    };
    questions_->answers.assign(3, Answer::kYes);
    form_->FilterBtnClick();
    QCOMPARE(found, (std::vector<Hit>{{5, 3, 5, 3}, {12, 7, 12, 7}, {12, 8, 12, 8}}));
    QCOMPARE(questions_->asked.size(), std::size_t{3});

    found.clear();
    questions_->answers = {Answer::kNo};
    form_->FilterBtnClick();
    QCOMPARE(found, (std::vector<Hit>{{5, 3, 5, 3}}));
  }

  void TickingFixesGermanAndEnglishAndUntickingReleasesThem() {
    Open(NumberedRows(60));
    StringGrid& grid = form_->StringGrid1;
    grid.setCurrentCell(2, 0);
    grid.setFocus();
    form_->FixedColCheck.click();
    QCOMPARE(grid.FixedCols(), 2);
    const QTableView& fixed = grid.FixedColumnsView();
    QVERIFY(fixed.isVisible());
    for (int column = 0; column < 4; ++column) {
      QCOMPARE(grid.isColumnHidden(column), column < 2);
      QCOMPARE(fixed.isColumnHidden(column), column >= 2);
    }
    // The current cell left the fixed columns, and neither the keys nor the
    // editor reach them.
    QCOMPARE(grid.currentColumn(), 2);
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(grid.currentColumn(), 2);
    QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
    grid.editItem(grid.item(2, 0));
    QVERIFY(!grid.IsEditing());

    // Scrolling moves the fixed rows alongside; sideways they stay.
    grid.ScrollToTopLeft(6, 20);
    QCOMPARE(grid.TopRow(), 20);
    QCOMPARE(grid.LeftCol(), 6);
    QCOMPARE(fixed.rowAt(0), 19);
    QCOMPARE(fixed.columnAt(0), 0);
    const auto on_grid = [&grid](const QTableView& view, int row) {
      return view.viewport()->mapTo(&grid, QPoint(0, view.rowViewportPosition(row))).y();
    };
    QCOMPARE(on_grid(fixed, 25), on_grid(grid, 25));
    QVERIFY(fixed.geometry().right() < grid.viewport()->geometry().left());

    form_->FixedColCheck.click();
    QCOMPARE(grid.FixedCols(), 0);
    QVERIFY(!fixed.isVisible());
    QVERIFY(!grid.isColumnHidden(0) && !grid.isColumnHidden(1));
    grid.editItem(grid.item(2, 0));
    QVERIFY(grid.IsEditing());
  }

 private:
  // Opens the editor on a table of `rows`, as the main window does.
  void Open(const std::vector<TableRow>& rows) {
    testing::WriteTranslationTable(sandbox_->TranslationFile(), rows);
    BuildTranslationIndex();
    form_ = std::make_unique<TTranslateForm>(texts_);
    form_->SetQuestions(*questions_);
    form_->FillStringGrid();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  std::unique_ptr<TranslationSandbox> sandbox_;
  std::unique_ptr<ScriptedQuestions> questions_;
  ShownTexts texts_;
  std::unique_ptr<TTranslateForm> form_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(TranslateFormTest);
#include "translate_form_test.moc"
