// A job run from the window: the window keeps working while it runs, shows
// its phase and how far it is, can stop it, and tells in the status bar what
// a finished job did.

#include <QScreen>
#include <QTest>

#include "app/gui/main_form.h"
#include "gui/gui_test_support.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::TranslationSandbox;

class JobProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
    form_ = std::make_unique<TMainForm>(*messages_, *dialogs_);
    form_->show();
    input_ = dir_.File("in.dxf");
    output_ = dir_.File("out.dxf");
  }
  void cleanup() {
    form_.reset();
    sandbox_.reset();
  }

  void AFinishedJobTellsWhatItDidInTheStatusBar() {
    testing::WriteFile(input_, testing::SmallDrawing());
    dialogs_->answers = {QString::fromStdString(input_), QString::fromStdString(output_)};
    form_->BitBtn4.click();
    QVERIFY(testing::WaitForJob(*form_));
    QVERIFY(messages_->shown.empty());  // success is never a box
    QVERIFY(form_->ResultLabel.text().endsWith(QStringLiteral("geschrieben")));
    QVERIFY(form_->ResultLabel.text().startsWith(QStringLiteral("2 Polylinien gelesen, ")));
    QVERIFY(form_->PreviewBtn.isVisibleTo(form_.get()));
    QVERIFY(form_->BitBtn1.isEnabled());

    // A job that fails clears the line: it shows its message instead.
    dialogs_->answers = {QString::fromStdString(dir_.File("fehlt.dxf")),
                         QString::fromStdString(output_)};
    form_->BitBtn1.click();
    QVERIFY(testing::WaitForJob(*form_));
    QCOMPARE(form_->ResultLabel.text(), QString());
    QVERIFY(!form_->PreviewBtn.isVisibleTo(form_.get()));
  }

  // A long job shows its progress after a moment; Esc stops it, and the
  // previous output keeps every byte with no temporary file left.
  void ALongJobShowsProgressAndCanBeStopped() {
    std::string drawing = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < 600000; ++i) {
      const std::string x = std::to_string(i % 1000);
      const std::string y = std::to_string(i / 1000);
      drawing += "0\nLINE\n8\n0\n10\n" + x + "\n20\n" + y + "\n11\n" + x + ".5\n21\n" + y + "\n";
    }
    testing::WriteFile(input_, drawing + "0\nENDSEC\n0\nEOF\n");
    testing::WriteFile(output_, "previous");
    dialogs_->answers = {QString::fromStdString(input_), QString::fromStdString(output_)};
    form_->BitBtn2.click();
    QVERIFY(form_->JobRunning());
    QVERIFY(!form_->BitBtn2.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(form_->CancelBtn.isVisibleTo(form_.get()), 10000);
    QVERIFY(form_->ProgressBar1.isVisibleTo(form_.get()));
    QVERIFY(!form_->ProgressLabel.text().isEmpty());
    const QRect cancel_place = form_->CancelBtn.geometry();
    // Esc stops it as "Abbrechen" does, also from a number field.
    form_->activateWindow();
    form_->AbweichEd.setFocus();
    QTest::keyClick(&form_->AbweichEd, Qt::Key_Escape);
    QVERIFY(testing::WaitForJob(*form_));
    QVERIFY(!form_->CancelBtn.isVisibleTo(form_.get()));
    QCOMPARE(testing::ReadFile(output_), std::string("previous"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
    QVERIFY(messages_->shown.empty());
    // The status bar says so, and that the output is as it was.
    QCOMPARE(form_->ResultLabel.text(),
             QStringLiteral("Abgebrochen: die Ausgabedatei ist unverändert."));
    QVERIFY(form_->BitBtn2.isEnabled());

    // A late click meant for "Abbrechen" never hits the "Vorschau..." of the
    // next job's result.
    testing::WriteFile(input_, testing::SmallDrawing());
    dialogs_->answers = {QString::fromStdString(input_), QString::fromStdString(output_)};
    form_->BitBtn4.click();
    QVERIFY(testing::WaitForJob(*form_));
    QTRY_VERIFY(form_->PreviewBtn.isVisible());
    QVERIFY(!form_->PreviewBtn.geometry().intersects(cancel_place));
  }

  // Centred where it fits, at the top-left corner of the available area
  // where it does not: the title, menu and buttons can always be reached.
  void TheWindowLiesInsideTheScreen() {
    const QRect area = form_->screen()->availableGeometry();
    const QRect frame = form_->frameGeometry();
    QVERIFY(frame.left() >= area.left());
    QVERIFY(frame.top() >= area.top());
    if (frame.width() <= area.width()) {
      // (the frame a window manager adds is known only once it is shown)
      QVERIFY(std::abs(frame.center().x() - area.center().x()) <= 4);
    }
    if (frame.height() > area.height()) QCOMPARE(frame.top(), area.top());
  }

 private:
  testing::TempDir dir_;
  std::string input_;
  std::string output_;
  std::unique_ptr<TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(JobProgressTest);
#include "job_progress_test.moc"
