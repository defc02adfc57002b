// The language choice: the check mark placed from the options file, the
// saved language put in force on the first display, the menu changing the
// messages at once and the windows at the next start, and the options file
// written when the main window closes, and only then.

#include <filesystem>

#include <QFile>
#include <QLibraryInfo>
#include <QTest>

#include "app/gui/main_form.h"
#include "gui/gui_test_support.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::ReadFile;
using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::TableRow;
using testing::TranslationSandbox;
using testing::WhenModalShown;

namespace {

const QString kConvertGerman = QStringLiteral("DXF Datei konvertieren...");

std::string OptionsBytes(int language_number) {
  const auto bits = static_cast<std::uint32_t>(language_number);
  return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
          static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

// The language items that carry a check mark.
QStringList Marked(TMainForm& form) {
  QStringList marked;
  for (const QAction* item : form.Sprache1.actions()) {
    if (item->isChecked()) marked.append(item->objectName());
  }
  return marked;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
  }
  void cleanup() { sandbox_.reset(); }

  // Qt's own texts, the message boxes' buttons among them, follow the
  // language: the saved one from the start, a chosen one at once.
  void QtsOwnTextsFollowTheLanguage() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qt_de.qm"))) {
      QSKIP("Qt's translations (qt6-translations-l10n) are not installed");
    }
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    sandbox_->SaveLanguage(kFrench);
    {
      TMainForm form(*messages_, *dialogs_);
      QCOMPARE(cancel(), QStringLiteral("Cancel"));
      form.show();
      QCOMPARE(cancel(), QStringLiteral("Annuler"));
      form.Deutsch1.trigger();
      QCOMPARE(cancel(), QStringLiteral("Abbrechen"));
      form.English1.trigger();
      QCOMPARE(cancel(), QStringLiteral("Cancel"));
    }
    sandbox_->SaveLanguage(kGerman);
    sandbox_->Restart();
    TMainForm form(*messages_, *dialogs_);
    form.show();
    QCOMPARE(cancel(), QStringLiteral("Abbrechen"));
  }

  void FirstStartIsGermanAndClosingSavesZero() {
    TMainForm form(*messages_, *dialogs_);
    form.show();
    QCOMPARE(Marked(form), QStringList{"Deutsch1"});
    QCOMPARE(language(), int{kGerman});
    QCOMPARE(form.BitBtn1.text(), kConvertGerman);
    QVERIFY(!std::filesystem::exists(sandbox_->OptionsFolder()));  // nothing made before closing
    form.close();
    QCOMPARE(ReadFile(sandbox_->OptionsFile()), OptionsBytes(0));
    QVERIFY(messages_->shown.empty());
  }

  void SavedLanguageIsMarkedAtCreationAndPutInForceOnTheFirstDisplay_data() {
    QTest::addColumn<int>("saved");
    QTest::addColumn<QString>("marked");
    QTest::newRow("Nederlands") << 3 << "Nederlands1";
    QTest::newRow("Portuguese") << 6 << "Portuguese1";
    QTest::newRow("spare column") << 9 << "Deutsch1";
    QTest::newRow("no language") << 20 << "Deutsch1";
    QTest::newRow("negative") << -1 << "Deutsch1";
  }
  void SavedLanguageIsMarkedAtCreationAndPutInForceOnTheFirstDisplay() {
    QFETCH(int, saved);
    QFETCH(QString, marked);
    TableRow convert(kLanguageCount);
    convert[0] = kConvertGerman.toStdU16String();
    for (int column = 1; column < kLanguageCount; ++column) {
      convert[column] = QStringLiteral("%1 convert").arg(column).toStdU16String();
    }
    testing::WriteTranslationTable(sandbox_->TranslationFile(), {convert});
    sandbox_->SaveLanguage(saved);

    TMainForm form(*messages_, *dialogs_);
    QCOMPARE(Marked(form), QStringList{marked});
    QCOMPARE(language(), int{kGerman});  // not yet in force
    QCOMPARE(form.BitBtn1.text(), kConvertGerman);
    form.show();
    const bool usable = IsLanguageNumber(saved);
    QCOMPARE(language(), usable ? saved : int{kGerman});
    QCOMPARE(form.BitBtn1.text(),
             usable ? QStringLiteral("%1 convert").arg(saved) : kConvertGerman);
    QCOMPARE(Marked(form), QStringList{marked});
    form.close();
    QCOMPARE(ReadFile(sandbox_->OptionsFile()), OptionsBytes(usable ? saved : 0));
  }

  void AChoiceChangesTheMessagesAtOnceAndTheWindowsAtTheNextStart() {
    testing::WriteTranslationTable(
        sandbox_->TranslationFile(),
        {{std::u16string(CatalogueGerman(kTextRestart)), u"Please restart the program."},
         {std::u16string(CatalogueGerman(kTextTranslate)), u"Translate"},
         {std::u16string(CatalogueGerman(kTextCannotOpen)), u"Cannot open this DXF file:"},
         {kConvertGerman.toStdU16String(), u"Convert DXF file..."}});
    {
      TMainForm form(*messages_, *dialogs_);
      form.show();
      form.English1.trigger();
      QCOMPARE(Marked(form), QStringList{"English1"});
      QCOMPARE(language(), int{kEnglish});
      QCOMPARE(messages_->shown.size(), std::size_t{1});
      QVERIFY(messages_->shown[0].caption == u"Translate");
      QVERIFY(messages_->shown[0].text == u"Please restart the program.");
      QCOMPARE(form.BitBtn1.text(), kConvertGerman);  // the windows wait for the next start

      // A job's message already comes in English.
      const std::string missing = sandbox_->ProgramFolder() + "/fehlt.dxf";
      dialogs_->answers = {QString::fromStdString(missing),
                           QString::fromStdString(sandbox_->ProgramFolder() + "/out.dxf")};
      form.BitBtn1.click();
      QVERIFY(testing::WaitForJob(form));
      QVERIFY(messages_->shown.size() >= 2);
      QCOMPARE(messages_->shown[1].Utf8Text(), "Cannot open this DXF file: " + missing);
      form.close();
    }
    QCOMPARE(ReadFile(sandbox_->OptionsFile()), OptionsBytes(kEnglish));

    sandbox_->Restart();
    TMainForm next(*messages_, *dialogs_);
    QCOMPARE(Marked(next), QStringList{"English1"});
    next.show();
    QCOMPARE(next.BitBtn1.text(), QStringLiteral("Convert DXF file..."));
  }

  void TheRestartMessageIsGermanWhereTheTableHasNoTranslation() {
    TMainForm form(*messages_, *dialogs_);
    form.show();
    form.Franais1.trigger();
    QCOMPARE(language(), int{kFrench});
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    QVERIFY(messages_->shown[0].caption == u"Übersetzen");
    QVERIFY(messages_->shown[0].text == CatalogueGerman(kTextRestart));
  }

  void ChoosingNederlandsThenDeutschSavesGerman() {
    TMainForm form(*messages_, *dialogs_);
    form.show();
    form.Nederlands1.trigger();
    form.Deutsch1.trigger();
    QCOMPARE(Marked(form), QStringList{"Deutsch1"});
    form.close();
    QCOMPARE(ReadFile(sandbox_->OptionsFile()), OptionsBytes(kGerman));
  }

  void WhileTheProgramPlacesTheMarkTheItemsDoNothing() {
    TMainForm form(*messages_, *dialogs_);
    form.show();
    form.presenter().dontchlang = true;
    form.English1.trigger();
    QCOMPARE(language(), int{kGerman});
    QVERIFY(messages_->shown.empty());
  }

  void ACommandLineRunLeavesTheOptionsFileAsItWas() {
    sandbox_->SaveLanguage(kFrench);
    TMainForm form(*messages_, *dialogs_);
    form.SetCommandLine({"convert3", sandbox_->ProgramFolder() + "/fehlt.dxf",
                         sandbox_->ProgramFolder() + "/out.dxf"});
    form.show();
    QVERIFY(form.TerminationRequested());
    QVERIFY(testing::WaitForJob(form));
    form.Deutsch1.trigger();
    // Ending the application closes its windows; that saves nothing.
    form.close();
    QCOMPARE(ReadFile(sandbox_->OptionsFile()), OptionsBytes(kFrench));
  }

  void TranslationsTypedInTheEditorShowAtTheNextStart() {
    sandbox_->SaveLanguage(kEnglish);
    {
      TMainForm form(*messages_, *dialogs_);
      form.show();
      bool edited = false;
      WhenModalShown<TTranslateForm>([&edited](TTranslateForm& editor) {
        StringGrid& grid = editor.StringGrid1;
        const std::pair<QString, QString> translations[] = {
            {kConvertGerman, QStringLiteral("Convert DXF file...")},
            {QStringLiteral("Sprache"), QStringLiteral("Language")}};
        for (const auto& [german, english] : translations) {
          int row = 1;
          while (row < grid.RowCount() && grid.Cell(0, row) != german) ++row;
          QVERIFY(row < grid.RowCount());
          grid.setCurrentCell(row - 1, 1);
          grid.setFocus();
          QTest::keyClicks(&grid, english.left(1));
          QTest::keyClicks(QApplication::focusWidget(), english.mid(1));
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
          QTRY_VERIFY(!grid.IsEditing());
        }
        edited = true;
        editor.BackBtn.click();
      });
      form.bersetzen1.trigger();
      QVERIFY(edited);
      QCOMPARE(messages_->shown.size(), std::size_t{1});  // the restart message
      QCOMPARE(form.BitBtn1.text(), kConvertGerman);
      form.close();
    }
    sandbox_->Restart();
    TMainForm next(*messages_, *dialogs_);
    next.show();
    QCOMPARE(next.BitBtn1.text(), QStringLiteral("Convert DXF file..."));
    QCOMPARE(next.Sprache1.title(), QStringLiteral("Language"));
    QCOMPARE(next.BitBtn2.text(), QStringLiteral("Linien in Polylinien konvertieren..."));
  }

 private:
  std::unique_ptr<TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(LanguageTest);
#include "language_test.moc"
