// The pieces that hand over to the toolkit: the real file dialogs, the
// message and question boxes, the filter conversion, and the greyed button
// picture.

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/gui/file_dialogs.h"
#include "app/gui/job_button_icon.h"
#include "app/gui/qt_message_sink.h"
#include "app/gui/question_boxes.h"
#include "gui/gui_test_support.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::TempDir;
using testing::WhenModalShown;

class ToolkitDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // The file dialogs remember their state in the configuration folder.
    sandbox_ = std::make_unique<testing::TranslationSandbox>();
    QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  }
  void cleanupTestCase() { sandbox_.reset(); }

  void FilterBecomesTheToolkitsForm_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("toolkit");
    QTest::newRow("patterns shown") << "DXF-Dateien (*.dxf)|*.dxf" << "DXF-Dateien (*.dxf)";
    QTest::newRow("translated without patterns") << "DXF files|*.dxf" << "DXF files (*.dxf)";
    QTest::newRow("other patterns shown") << "Drawings (*.dwg)|*.dxf"
                                          << "Drawings (*.dwg) (*.dxf)";
    QTest::newRow("two pairs") << "A|*.a;*.b|Alle (*.*)|*.*" << "A (*.a *.b);;Alle (*.*)";
    QTest::newRow("empty") << "" << "";
  }
  void FilterBecomesTheToolkitsForm() {
    QFETCH(QString, filter);
    QFETCH(QString, toolkit);
    QCOMPARE(ToToolkitFilter(filter), toolkit);
  }

  void OpenDialogIsSetUpAndCancelReturnsNothing() {
    TempDir dir;
    const QString offered = QString::fromStdString(dir.File("old.dxf"));
    testing::WriteFile(offered.toStdString(), "0\r\nEOF\r\n");
    bool looked = false;
    WhenModalShown<QFileDialog>([&](QFileDialog& modal) {
      QFileDialog* dialog = &modal;
      looked = true;
      QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
      QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
      QCOMPARE(dialog->nameFilters(), QStringList{"DXF-Dateien (*.dxf)"});
      QCOMPARE(dialog->defaultSuffix(), QStringLiteral("dxf"));
      QCOMPARE(dialog->selectedFiles(), QStringList{offered});
      dialog->reject();
    });
    QtFileDialogs dialogs;
    const std::optional<QString> chosen = dialogs.Run(
        {FileDialogKind::kOpen, QStringLiteral("DXF-Dateien (*.dxf)"), QStringLiteral("dxf"),
         offered},
        nullptr);
    QVERIFY(looked);
    QVERIFY(!chosen.has_value());
  }

  void SaveDialogAsksBeforeOverwriting() {
    TempDir dir;
    const QString existing = QString::fromStdString(dir.File("exists.dxf"));
    testing::WriteFile(existing.toStdString(), "0\r\nEOF\r\n");
    QStringList questions;
    bool stayed_open = false;
    WhenModalShown<QFileDialog>([&](QFileDialog& dialog) {
      QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
      QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
      // Choosing the existing file asks; declining stays in the dialog.
      WhenModalShown<QMessageBox>([&](QMessageBox& box) {
        questions.append(box.text());
        box.button(QMessageBox::No)->click();
      });
      TypeFileName(dialog, existing);
      QMetaObject::invokeMethod(&dialog, "accept");
      stayed_open = dialog.isVisible();
      dialog.reject();
    });
    QtFileDialogs dialogs;
    const std::optional<QString> chosen = dialogs.Run(SaveRequest(), nullptr);
    QCOMPARE(questions.size(), 1);
    QVERIFY(questions[0].contains(QStringLiteral("exists.dxf")));
    QVERIFY(stayed_open);
    QVERIFY(!chosen.has_value());
  }

  void SaveDialogAddsTheDefaultExtension() {
    TempDir dir;
    const QString typed = QString::fromStdString(dir.File("neu"));
    WhenModalShown<QFileDialog>([&](QFileDialog& dialog) {
      TypeFileName(dialog, typed);
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    QtFileDialogs dialogs;
    const std::optional<QString> chosen = dialogs.Run(SaveRequest(), nullptr);
    QCOMPARE(chosen, std::optional<QString>(typed + QStringLiteral(".dxf")));
  }

  void ErrorBoxHasErrorIconOkAndTheApplicationsTitle() {
    QtMessageSink sink;
    bool looked = false;
    WhenModalShown<QMessageBox>([&](QMessageBox& modal) {
      QMessageBox* box = &modal;
      looked = true;
      QCOMPARE(box->icon(), QMessageBox::Critical);
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      QCOMPARE(box->windowTitle(), QStringLiteral("Quillmere"));
      QCOMPARE(box->text(), QStringLiteral("Datei ä.dxf"));
      box->button(QMessageBox::Ok)->click();
    });
    sink.ShowError(u"Datei ä.dxf");
    QVERIFY(looked);
  }

  void InformationBoxHasItsOwnCaption() {
    QtMessageSink sink;
    bool looked = false;
    WhenModalShown<QMessageBox>([&](QMessageBox& modal) {
      QMessageBox* box = &modal;
      looked = true;
      QCOMPARE(box->icon(), QMessageBox::Information);
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      QCOMPARE(box->windowTitle(), QStringLiteral("Keine Polylines"));
      QCOMPARE(box->text(), QStringLiteral("Text"));
      box->button(QMessageBox::Ok)->click();
    });
    sink.ShowInformation(u"Keine Polylines", u"Text");
    QVERIFY(looked);
  }

  void BoxesSitOverTheActiveWindowUnlessOwnedByNone() {
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const auto owner : {QtMessageSink::Owner::kActiveWindow, QtMessageSink::Owner::kNone}) {
      const QWidget* parent = nullptr;
      WhenModalShown<QMessageBox>([&parent](QMessageBox& box) {
        parent = box.parentWidget();
        box.button(QMessageBox::Ok)->click();
      });
      QtMessageSink(owner).ShowError(u"Error 1 while trying to allocate 800 bytes of RAM.");
      QCOMPARE(parent, owner == QtMessageSink::Owner::kNone ? nullptr : &window);
    }
  }

  void QuestionBoxesOfferTheirButtonsAndGiveTheAnswer_data() {
    QTest::addColumn<bool>("with_cancel");
    // A button, 0 to close the box with Esc, -1 to press Return.
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("answer");
    using Answer = Questions::Answer;
    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    QTest::newRow("yes") << true << yes << static_cast<int>(Answer::kYes);
    QTest::newRow("no") << true << no << static_cast<int>(Answer::kNo);
    QTest::newRow("cancel") << true << cancel << static_cast<int>(Answer::kCancel);
    QTest::newRow("esc is cancel") << true << 0 << static_cast<int>(Answer::kCancel);
    QTest::newRow("return is the default, no") << true << -1 << static_cast<int>(Answer::kNo);
    QTest::newRow("yes of two") << false << yes << static_cast<int>(Answer::kYes);
    QTest::newRow("esc of two is no") << false << 0 << static_cast<int>(Answer::kNo);
  }
  void QuestionBoxesOfferTheirButtonsAndGiveTheAnswer() {
    QFETCH(bool, with_cancel);
    QFETCH(int, pressed);
    QFETCH(int, answer);
    bool looked = false;
    WhenModalShown<QMessageBox>([&](QMessageBox& box) {
      looked = true;
      QCOMPARE(box.icon(), QMessageBox::Question);
      QCOMPARE(box.windowTitle(), QStringLiteral("Übersetzen"));
      QCOMPARE(box.text(), QStringLiteral("Zeile ä"));
      QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
      if (with_cancel) buttons |= QMessageBox::Cancel;
      QCOMPARE(box.standardButtons(), buttons);
      if (pressed == 0) {
        QTest::keyClick(&box, Qt::Key_Escape);
      } else if (pressed < 0) {
        QTest::keyClick(&box, Qt::Key_Return);
      } else {
        box.button(static_cast<QMessageBox::StandardButton>(pressed))->click();
      }
    });
    QtQuestionBoxes questions(nullptr);
    const std::u16string caption = u"Übersetzen";
    const std::u16string text = u"Zeile ä";
    using Answer = Questions::Answer;
    const auto given = with_cancel ? questions.AskYesNoCancel(caption, text, Answer::kNo)
                       : questions.AskYesNo(caption, text) ? Answer::kYes
                                                           : Answer::kNo;
    QVERIFY(looked);
    QCOMPARE(static_cast<int>(given), answer);
  }

  void GreyedPictureKeepsTheShapeInGreyWithHighlight() {
    const QImage normal = CheckMarkPixmap().toImage();
    const QImage greyed = GreyedPixmap(CheckMarkPixmap()).toImage();
    QCOMPARE(normal.size(), QSize(18, 19));
    QCOMPARE(greyed.size(), normal.size());
    int shape = 0;
    for (int y = 0; y < normal.height(); ++y) {
      for (int x = 0; x < normal.width(); ++x) {
        const bool inside = normal.pixelColor(x, y).alpha() != 0;
        shape += inside;
        if (inside) {
          QCOMPARE(greyed.pixelColor(x, y), QColor(0x80, 0x80, 0x80));
        } else if (x > 0 && y > 0 && normal.pixelColor(x - 1, y - 1).alpha() != 0) {
          QCOMPARE(greyed.pixelColor(x, y), QColor(Qt::white));
        } else {
          QCOMPARE(greyed.pixelColor(x, y).alpha(), 0);
        }
      }
    }
    QVERIFY(shape > 40);
  }

 private:
  std::unique_ptr<testing::TranslationSandbox> sandbox_;

  static FileDialogRequest SaveRequest() {
    return {FileDialogKind::kSave, QStringLiteral("DXF-Dateien (*.dxf)"), QStringLiteral("dxf"),
            {}};
  }

  // Types a name into the dialog's name field, as the user would;
  // selectFile would leave a focused name field alone.
  static void TypeFileName(QFileDialog& dialog, const QString& name) {
    auto* name_field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name_field != nullptr);
    name_field->setText(name);
  }
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(ToolkitDialogsTest);
#include "toolkit_dialogs_test.moc"
