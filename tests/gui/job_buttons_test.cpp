// The three job buttons: the open and save dialogs in front of each job,
// their cancel flows and remembered names, and that a job started from a
// button writes what quillmere-cli writes for the same files and settings.

#include <QFile>
#include <QTest>

#include "app/gui/main_form.h"
#include "gui/gui_test_support.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::AsCliLines;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::RunCli;
using testing::ScriptedFileDialogs;
using testing::TempDir;

class JobButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<testing::TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
    form_ = std::make_unique<TMainForm>(*messages_, *dialogs_);
    dir_ = std::make_unique<TempDir>();
    input_ = Path("in.dxf");
    output_ = Path("out.dxf");
    testing::WriteFile(input_.toStdString(), testing::SmallDrawing());
  }
  void cleanup() {
    form_.reset();
    dir_.reset();
    sandbox_.reset();
  }

  void CancellingTheOpenDialogStartsNothing_data() { Buttons(); }
  void CancellingTheOpenDialogStartsNothing() {
    QFETCH(QString, button);
    dialogs_->answers = {std::nullopt};
    Button(button).click();
    QCOMPARE(dialogs_->requests.size(), std::size_t{1});
    QCOMPARE(dialogs_->requests[0].kind, FileDialogKind::kOpen);
    QVERIFY(messages_->shown.empty());
    QVERIFY(!form_->JobRunning());
  }

  void CancellingTheSaveDialogStartsNothing_data() { Buttons(); }
  void CancellingTheSaveDialogStartsNothing() {
    QFETCH(QString, button);
    dialogs_->answers = {input_, std::nullopt};
    Button(button).click();
    QCOMPARE(dialogs_->requests.size(), std::size_t{2});
    QCOMPARE(dialogs_->requests[1].kind, FileDialogKind::kSave);
    QVERIFY(messages_->shown.empty());
    QVERIFY(!QFile::exists(output_));
    QVERIFY(!form_->JobRunning());
  }

  void DialogsAskForDxfFiles() {
    dialogs_->answers = {input_, std::nullopt};
    form_->BitBtn1.click();
    for (const FileDialogRequest& request : dialogs_->requests) {
      QCOMPARE(request.filter, QStringLiteral("DXF-Dateien (*.dxf)"));
      QCOMPARE(request.default_suffix, QStringLiteral("dxf"));
      QVERIFY(request.file_name.isEmpty());
    }
  }

  void NextJobOffersTheLastChosenNames() {
    dialogs_->answers = {input_, output_};
    form_->BitBtn1.click();
    QVERIFY(testing::WaitForJob(*form_));
    const QString other_input = Path("other.dxf");
    dialogs_->answers = {other_input, std::nullopt};
    form_->BitBtn4.click();  // another button shares the dialogs
    QCOMPARE(dialogs_->requests.size(), std::size_t{4});
    QCOMPARE(dialogs_->requests[2].file_name, input_);
    QCOMPARE(dialogs_->requests[3].file_name, output_);
    // A cancelled dialog keeps the name chosen before.
    dialogs_->answers = {std::nullopt};
    form_->BitBtn2.click();
    QCOMPARE(dialogs_->requests[4].file_name, other_input);
  }

  void ButtonRunsTheSameJobAsTheCommandLine_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("settings");
    QTest::newRow("arcs") << "BitBtn1" << "convert1" << "in.dxf"
                          << QStringList{"0.50000", "50", "20"};
    QTest::newRow("lines") << "BitBtn2" << "convert2" << "in.dxf" << QStringList{"0.5000000"};
    QTest::newRow("join") << "BitBtn4" << "convert3" << "in.dxf" << QStringList{"0.0000000"};
    QTest::newRow("umlaut in name") << "BitBtn4" << "convert3" << "Zeichnung ä.dxf"
                                    << QStringList{"0.0100000"};
    QTest::newRow("missing input") << "BitBtn1" << "convert1" << "fehlt.dxf"
                                   << QStringList{"0.10000", "100", "100"};
  }
  void ButtonRunsTheSameJobAsTheCommandLine() {
    QFETCH(QString, button);
    QFETCH(QString, mode);
    QFETCH(QString, input);
    QFETCH(QStringList, settings);
    const QString input_path = Path(input);
    if (input != QLatin1String("fehlt.dxf")) {
      testing::WriteFile(QFile::encodeName(input_path).toStdString(), testing::SmallDrawing());
    }

    const testing::CliResult cli = RunCli(QStringList{mode, input_path, output_} + settings);
    const QString cli_output = Path("cli.dxf");
    if (QFile::exists(output_)) QVERIFY(QFile::rename(output_, cli_output));

    // The same settings typed into the fields the job reads.
    NumericField* const fields[] = {&form_->AbweichEd, &form_->TestEd, &form_->Test2Ed};
    if (mode == QLatin1String("convert1")) {
      for (int i = 0; i < 3; ++i) fields[i]->SetValue(settings[i].toDouble());
    } else {
      form_->AbweichLinEd.SetValue(settings[0].toDouble());
    }
    dialogs_->answers = {input_path, output_};
    Button(button).click();
    QVERIFY(testing::WaitForJob(*form_));

    QCOMPARE(AsCliLines(*messages_), cli.messages);
    QCOMPARE(QFile::exists(output_), QFile::exists(cli_output));
    if (QFile::exists(output_)) {
      QVERIFY(ReadFile(output_.toStdString()) == ReadFile(cli_output.toStdString()));
    }
  }

 private:
  static void Buttons() {
    QTest::addColumn<QString>("button");
    QTest::newRow("arcs") << "BitBtn1";
    QTest::newRow("lines") << "BitBtn2";
    QTest::newRow("join") << "BitBtn4";
  }
  QPushButton& Button(const QString& name) {
    QPushButton* button = form_->findChild<QPushButton*>(name);
    Q_ASSERT(button != nullptr);
    return *button;
  }
  QString Path(const QString& name) const {
    return QFile::decodeName(QByteArray::fromStdString(dir_->path().string())) +
           QLatin1Char('/') + name;
  }

  std::unique_ptr<testing::TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
  std::unique_ptr<TMainForm> form_;
  std::unique_ptr<TempDir> dir_;
  QString input_;
  QString output_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(JobButtonsTest);
#include "job_buttons_test.moc"
