// The pieces that hand over to the toolkit: the real file dialogs, the
// message boxes, the filter conversion, and the greyed button picture.

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/gui/file_dialogs.h"
#include "app/gui/job_button_icon.h"
#include "app/gui/qt_message_sink.h"
#include "gui/gui_test_support.h"

namespace quillmere {

using testing::TempDir;
using testing::WhenModalShown;

class ToolkitDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Quillmere")); }

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

QTEST_MAIN(quillmere::ToolkitDialogsTest)
#include "toolkit_dialogs_test.moc"
