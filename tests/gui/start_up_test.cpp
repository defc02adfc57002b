// Start-up: what creating the main window fixes, the one-time steps of the
// first display, and the command-line check that runs a job and ends.

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "app/gui/main_form.h"
#include "support/numbers.h"
#include "gui/gui_test_support.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::AsCliLines;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::RunCli;
using testing::ScriptedFileDialogs;
using testing::TempDir;

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<testing::TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
    dir_ = std::make_unique<TempDir>();
    input_ = dir_->File("in.dxf");
    output_ = dir_->File("out.dxf");
    testing::WriteFile(input_, testing::SmallDrawing());
  }
  void cleanup() {
    dir_.reset();
    sandbox_.reset();
  }

  void CreationFixesTheProgramFolder() {
    TMainForm form(*messages_, *dialogs_);
    QCOMPARE(QString::fromStdString(form.progpath),
             QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QVERIFY(!form.isfirsttime);
  }

  void CreationFixesThePointAsDecimalSeparator() {
    // A desktop locale with "," as separator, made for this test.
    TempDir locales;
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty()) QSKIP("localedef is not installed");
    const QString german = QString::fromStdString(locales.File("de_DE.UTF-8"));
    QProcess::execute(localedef, {"-i", "de_DE", "-f", "UTF-8", german});
    setenv("LOCPATH", locales.path().c_str(), 1);
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    unsetenv("LOCPATH");
    if (!switched) QSKIP("no German locale could be made");
    QCOMPARE(CLibraryFixed(0.1), std::string("0,10000"));  // the locale is in force

    TMainForm form(*messages_, *dialogs_);
    QCOMPARE(form.AbweichEd.text(), QStringLiteral("0.10000"));
    QCOMPARE(form.AbweichLinEd.text(), QStringLiteral("0.0100000"));
    QCOMPARE(FormatFixed(0.1, 5), std::string("0.10000"));
    QCOMPARE(CLibraryFixed(0.1), std::string("0.10000"));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral("."));
  }

  void CommandLineSetsTheModesSettings_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("shown");  // AbweichEd, TestEd, Test2Ed, AbweichLinEd
    QTest::newRow("defaults") << QStringList{"convert1"}
                              << QStringList{"0.10000", "100", "100", "0.0100000"};
    QTest::newRow("two numbers") << QStringList{"convert1", "0.5", "50"}
                                 << QStringList{"0.50000", "50", "100", "0.0100000"};
    QTest::newRow("no number first") << QStringList{"convert1", "x", "50"}
                                     << QStringList{"0.10000", "50", "100", "0.0100000"};
    QTest::newRow("comma") << QStringList{"convert1", "0,5"}
                           << QStringList{"0.10000", "100", "100", "0.0100000"};
    QTest::newRow("above maximum") << QStringList{"convert1", "0.1", "5000"}
                                   << QStringList{"0.10000", "1000", "100", "0.0100000"};
    QTest::newRow("join rounding") << QStringList{"convert3", "0.123456789"}
                                   << QStringList{"0.10000", "100", "100", "0.1234568"};
    QTest::newRow("lines extra") << QStringList{"convert2", "0.002", "9", "9"}
                                 << QStringList{"0.10000", "100", "100", "0.0020000"};
  }
  void CommandLineSetsTheModesSettings() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, shown);
    TMainForm form(*messages_, *dialogs_);
    form.SetCommandLine(WithFiles(arguments));
    form.show();
    QCOMPARE((QStringList{form.AbweichEd.text(), form.TestEd.text(), form.Test2Ed.text(),
                          form.AbweichLinEd.text()}),
             shown);
    QCOMPARE(QString::fromStdString(form.jobs().settings.join_tolerance.Text()), shown[3]);
    QVERIFY(form.TerminationRequested());
    QVERIFY(testing::WaitForJob(form));
  }

  void CommandLineRunMatchesTheCli_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("arcs") << QStringList{"convert1", "0.5", "50"};
    QTest::newRow("lines") << QStringList{"convert2", "0.5"};
    QTest::newRow("join") << QStringList{"convert3"};
  }
  void CommandLineRunMatchesTheCli() {
    QFETCH(QStringList, arguments);
    std::vector<std::string> with_files = WithFiles(arguments);
    QStringList cli_arguments;
    for (const std::string& argument : with_files) {
      cli_arguments.append(QString::fromStdString(argument));
    }
    const testing::CliResult cli = RunCli(cli_arguments);
    const std::string cli_output = dir_->File("cli.dxf");
    const bool cli_wrote = QFile::exists(QString::fromStdString(output_));
    if (cli_wrote) std::rename(output_.c_str(), cli_output.c_str());

    TMainForm form(*messages_, *dialogs_);
    form.SetCommandLine(with_files);
    form.show();
    QVERIFY(form.TerminationRequested());
    QVERIFY(testing::WaitForJob(form));
    QVERIFY(dialogs_->requests.empty());
    QCOMPARE(AsCliLines(*messages_), cli.messages);
    QCOMPARE(QFile::exists(QString::fromStdString(output_)), cli_wrote);
    if (cli_wrote) QVERIFY(ReadFile(output_) == ReadFile(cli_output));
  }

  void WithoutAModeTheWindowOpensNormally_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList{};
    QTest::newRow("two arguments") << QStringList{"convert1", "a.dxf"};
    QTest::newRow("capital letter") << QStringList{"Convert1", "a.dxf", "b.dxf", "0.5"};
    QTest::newRow("unknown word") << QStringList{"convert4", "a.dxf", "b.dxf"};
  }
  void WithoutAModeTheWindowOpensNormally() {
    QFETCH(QStringList, arguments);
    TMainForm form(*messages_, *dialogs_);
    std::vector<std::string> command_line;
    for (const QString& argument : arguments) command_line.push_back(argument.toStdString());
    form.SetCommandLine(command_line);
    form.show();
    QVERIFY(form.isfirsttime);
    QVERIFY(!form.TerminationRequested());
    QVERIFY(messages_->shown.empty());
    QCOMPARE(form.AbweichEd.text(), QStringLiteral("0.10000"));
    QVERIFY(form.isVisible());
  }

  void OnlyTheFirstDisplayLooksAtTheCommandLine() {
    TMainForm form(*messages_, *dialogs_);
    form.show();
    QVERIFY(form.isfirsttime);
    form.hide();
    form.SetCommandLine(WithFiles({"convert3", "0.5"}));
    form.show();
    QVERIFY(!form.TerminationRequested());
    QVERIFY(messages_->shown.empty());
    QCOMPARE(form.AbweichLinEd.text(), QStringLiteral("0.0100000"));
  }

  void ASecondDisplayDoesNotRunTheJobAgain() {
    TMainForm form(*messages_, *dialogs_);
    form.SetCommandLine(WithFiles({"convert3", "0.5"}, "fehlt.dxf"));
    form.show();
    QVERIFY(testing::WaitForJob(form));
    const std::size_t shown_once = messages_->shown.size();
    QVERIFY(shown_once > 0);  // a missing input is always reported
    form.hide();
    form.show();
    QCOMPARE(messages_->shown.size(), shown_once);
  }

 private:
  // `value` with five decimals as the C library writes it in its locale.
  static std::string CLibraryFixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", value);
    return text;
  }

  // Mode word, input and output file, then the rest of `arguments`.
  std::vector<std::string> WithFiles(const QStringList& arguments,
                                     const std::string& input = "in.dxf") const {
    std::vector<std::string> with_files = {arguments.value(0).toStdString(), dir_->File(input),
                                           output_};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
      with_files.push_back(arguments[i].toStdString());
    }
    return with_files;
  }

  std::unique_ptr<testing::TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
  std::unique_ptr<TempDir> dir_;
  std::string input_;
  std::string output_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(StartUpTest);
#include "start_up_test.moc"
