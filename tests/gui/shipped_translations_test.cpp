// The translation table that ships with the program (translate.dat, written
// by the build from translations/translate.tsv): it holds every text the
// program can show, translated into every language, and nothing else, and a
// first start in English shows English windows at once.

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>

#include "app/gui/main_form.h"
#include "app/presenter/main_presenter.h"
#include "app/job_summary.h"
#include "gui/gui_test_support.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::ScriptedQuestions;
using testing::TableColumn;
using testing::TranslationSandbox;

namespace {

constexpr int kShippedLanguages[] = {kEnglish, kFrench, kDutch, kItalian, kSpanish, kPortuguese};

QString MemoLine(const QPlainTextEdit& memo, int line) {
  return memo.document()->findBlockByNumber(line).text();
}

}  // namespace

class ShippedTranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<TranslationSandbox>();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quillmere"));
    LoadTranslationFile(QUILLMERE_SHIPPED_TRANSLATION_FILE, shipped_);
    QVERIFY(shipped_.RowCount() > 0);
  }
  void cleanup() {
    sandbox_.reset();
    shipped_.Clear();
  }

  // The program learns every text it shows while it shows it: a first start
  // in a foreign language with an empty table walks every window, learns the
  // catalogue and the title, and a search in the editor asks its question.
  void EveryTextTheProgramShowsHasOneFullyTranslatedRow() {
    sandbox_->SaveLanguage(kEnglish);
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    ScriptedQuestions questions;
    TMainForm form(messages, dialogs);
    form.show();
    TTranslateForm& editor = form.TranslateForm();
    editor.SetQuestions(questions);
    editor.FillStringGrid();
    editor.FilterEdit.setText(QStringLiteral("a"));
    editor.FilterBtnClick();
    QCOMPARE(questions.asked.size(), std::size_t{1});
    // The texts a job shows while it runs and when it has ended.
    for (const JobPhase phase :
         {JobPhase::kReading, JobPhase::kSearching, JobPhase::kJoining, JobPhase::kWriting}) {
      PhaseText(phase);
    }
    CancelledText();
    for (const JobSummary& summary :
         {JobSummary(ArcJobSummary{.left_meshes = 1, .left_fitted = 1, .left_3d = 1,
                                   .curves = true, .curves_left = 1}),
          JobSummary(LineJobSummary{}), JobSummary(JoinJobSummary{}),
          JobSummary(LineJobSummary{.contours = true}), JobSummary(JoinJobSummary{.contours = true})}) {
      ResultLine(summary);
    }

    // The failures' texts beyond the numbered catalogue.
    for (int k = 0; k < kFurtherTextCount; ++k) FurtherCatalogueText(static_cast<FurtherText>(k));

    const QStringList shown = TableColumn(*ActiveTranslationTable(), 0);
    for (int n = 1; n <= 16; ++n) {
      const QString text = QString::fromStdU16String(std::u16string(CatalogueGerman(n)));
      QVERIFY(text.isEmpty() || shown.contains(text));
    }
    const QStringList shipped_german = TableColumn(shipped_, 0);
    QStringList untranslated;
    for (const QString& german : shown) {
      const qsizetype row = shipped_german.indexOf(german);
      if (row < 0) {
        untranslated.append(german + QStringLiteral(" (no row)"));
        continue;
      }
      for (const int language_number : kShippedLanguages) {
        if (testing::CellText(shipped_, static_cast<std::uint32_t>(row), language_number).isEmpty()) {
          untranslated.append(german + QStringLiteral(" (language %1)").arg(language_number));
        }
      }
    }
    QCOMPARE(untranslated, QStringList());
    // A row whose German text the program no longer shows is dead weight
    // that hides a text changed in the code but not in the table.
    QStringList unused;
    for (const QString& german : shipped_german) {
      if (!shown.contains(german)) unused.append(german);
    }
    QCOMPARE(unused, QStringList());
  }

  // A template's numbers are filled in after the lookup: a translation
  // without one of its placeholders would show a number too few.
  void TemplatesKeepTheirPlaceholdersInEveryLanguage() {
    const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
    const auto placeholders = [&](const QString& text) {
      QStringList found;
      for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        found.append(match.captured());
      }
      found.sort();
      return found;
    };
    for (std::uint32_t row = 0; row < shipped_.RowCount(); ++row) {
      const QStringList german = placeholders(testing::CellText(shipped_, row, 0));
      for (const int language_number : kShippedLanguages) {
        const QString text = testing::CellText(shipped_, row, language_number);
        QVERIFY2(placeholders(text) == german, qPrintable(text));
      }
    }
  }

  void FirstStartInEnglishShowsEnglishWindowsAndLearnsNothing() {
    std::filesystem::copy_file(QUILLMERE_SHIPPED_TRANSLATION_FILE, sandbox_->TranslationFile());
    const std::string before = testing::ReadFile(sandbox_->TranslationFile());
    sandbox_->SaveLanguage(kEnglish);
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    TMainForm form(messages, dialogs);
    form.show();

    QCOMPARE(form.windowTitle(), QStringLiteral("Quillmere 1.0"));
    QCOMPARE(form.BitBtn1.text(), QStringLiteral("Convert DXF file..."));
    QCOMPARE(form.BitBtn4.text(), QStringLiteral("Join polylines..."));
    QCOMPARE(form.Label3.text(), QStringLiteral("Maximum deviation between line and arc in DXF units:"));
    QCOMPARE(form.Sprache1.title(), QStringLiteral("Language"));
    QCOMPARE(form.Spanish1.text(), QStringLiteral("Español"));
    QVERIFY(form.N1.isSeparator());
    QVERIFY(form.texts().Text(kMainWindow, "OpenDialog1") == u"DXF files (*.dxf)|*.dxf");
    // The memo's own trailing blank survives the translation.
    QCOMPARE(MemoLine(form.Memo1, 21), QStringLiteral("and the test points for the line. "));
    QCOMPARE(form.AboutBox().windowTitle(), QStringLiteral("About"));
    QCOMPARE(form.TranslateForm().windowTitle(), QStringLiteral("Translate"));
    QCOMPARE(form.TranslateForm().DeleteRowBtn.text(), QStringLiteral("Delete row"));
    QCOMPARE(CatalogueText(kTextNoPolylinesTitle), std::u16string(u"No polylines"));
    QCOMPARE(form.PreviewForm().windowTitle(), QStringLiteral("Preview"));
    QVERIFY(form.texts().Text(kPreviewWindow, "GefundenVorlage") == u"%1 arcs found");

    QCOMPARE(ActiveTranslationTable()->RowCount(), shipped_.RowCount());
    QVERIFY(testing::ReadFile(sandbox_->TranslationFile()) == before);
  }

 private:
  std::unique_ptr<TranslationSandbox> sandbox_;
  TranslationTable shipped_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(ShippedTranslationsTest);
#include "shipped_translations_test.moc"
