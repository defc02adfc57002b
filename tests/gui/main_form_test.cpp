// The main window as the user sees it: controls, texts, layout, tab order,
// menus, and the About box opened from the button and the help menu.

#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "app/gui/main_form.h"
#include "gui/gui_test_support.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::WhenModalShown;

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<testing::TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
    form_ = std::make_unique<TMainForm>(*messages_, *dialogs_);
  }
  void cleanup() {
    form_.reset();
    sandbox_.reset();
  }

  void WindowHasItsCaptionAndFixedClientArea() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Quillmere 1.0"));
    QCOMPARE(form_->ClientArea.size(), QSize(577, 593));
    QCOMPARE(form_->ClientArea.y(), form_->MainMenu1.geometry().bottom() + 1);
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(form_->font().pointSize(), 8);
    // Tahoma where it is installed, a sans-serif face in its place elsewhere.
    QCOMPARE(form_->font().families().value(0), QStringLiteral("Tahoma"));
    QCOMPARE(form_->BitBtn1.font(), form_->font());
  }

  void ControlsSitWhereTheWindowPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Panel1") << "Panel1" << QRect(0, 0, 577, 257) << "";
    QTest::newRow("BitBtn1") << "BitBtn1" << QRect(8, 8, 185, 33) << "DXF Datei konvertieren...";
    QTest::newRow("AboutBtn") << "AboutBtn" << QRect(195, 8, 94, 33) << "Über...";
    QTest::newRow("BitBtn2") << "BitBtn2" << QRect(8, 40, 281, 33)
                             << "Linien in Polylinien konvertieren...";
    QTest::newRow("BitBtn4") << "BitBtn4" << QRect(288, 40, 281, 33) << "Polylinien verbinden...";
    QTest::newRow("AbweichEd") << "AbweichEd" << QRect(8, 112, 73, 21) << "0.10000";
    QTest::newRow("TestEd") << "TestEd" << QRect(8, 152, 73, 21) << "100";
    QTest::newRow("Test2Ed") << "Test2Ed" << QRect(8, 192, 73, 21) << "100";
    QTest::newRow("AbweichLinEd") << "AbweichLinEd" << QRect(8, 232, 97, 21) << "0.0100000";
    QTest::newRow("Memo1") << "Memo1" << QRect(0, 257, 577, 336) << "";
  }
  void ControlsSitWhereTheWindowPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    const QWidget* control = form_->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
      QCOMPARE(button->text(), text);
      QVERIFY(!button->icon().isNull());
    }
    if (const auto* field = qobject_cast<const QAbstractSpinBox*>(control)) {
      QCOMPARE(field->text(), text);
      QVERIFY(field->alignment() & Qt::AlignRight);
    }
  }

  void LabelsCarryTheirTextsAboveTheirFields() {
    const struct {
      const QLabel& label;
      const char* name;
      QPoint position;
      QString text;
    } labels[] = {
        {form_->Label3, "Label3", {8, 96},
         "Maximale Abweichung von Line und Kreisbogen in DXF Einheiten:"},
        {form_->Label1, "Label1", {8, 136}, "Kreisbogen an sovielen Stellen testen:"},
        {form_->Label2, "Label2", {8, 176}, "Linie an sovielen Stellen testen:"},
        {form_->Label4, "Label4", {8, 216},
         "Akzeptiere eine Abweichung von X DXF Einheiten, beim Zusammenfügen von "
         "Linienstückchen:"},
    };
    for (const auto& label : labels) {
      QCOMPARE(label.label.objectName(), QLatin1String(label.name));
      QCOMPARE(label.label.pos(), label.position);
      QCOMPARE(label.label.text(), label.text);
      // Sized to their text, and inside the panel.
      QVERIFY(label.label.width() >= label.label.sizeHint().width());
      QVERIFY(label.label.geometry().right() < 577);
    }
  }

  void JobButtonsShowTheCheckMarkAndItsGreyedVariant() {
    const QSize size(18, 19);
    for (const QPushButton* button : {&form_->BitBtn1, &form_->BitBtn2, &form_->BitBtn4}) {
      QCOMPARE(button->iconSize(), size);
      const QImage normal = button->icon().pixmap(size, QIcon::Normal).toImage();
      const QImage greyed = button->icon().pixmap(size, QIcon::Disabled).toImage();
      QCOMPARE(normal.size(), size);
      QVERIFY(normal != greyed);
      QCOMPARE(normal.pixelColor(6, 11), QColor(0x00, 0x80, 0x00));  // the green body
      QCOMPARE(greyed.pixelColor(6, 11), QColor(0x80, 0x80, 0x80));
    }
  }

  void MemoShowsTheHelpTextReadOnly() {
    const QStringList expected = {
        "Die Linien müssen in Form einer \"Polyline\" vorliegen.",
        "Falls viele einzelne Linien vorliegen, müssen diese zunächst zu einer",
        "Polylinie verbunden werden. Falls viele einzelne Polylinien vorliegen,",
        "müssen diese zunächst verbunden werden.",
        "",
        "Jeder Kreisbogen wird in x (z.B. 100) Teile und jede Linie wird",
        "in y (z.B. 100) Teile geteilt. Es wird für jede Teilungsstelle der",
        "Linie die am nächsten liegende Teilungsstelle des Kreisbogens gesucht.",
        "",
        "Der Abstand zwischen Linie und Kreisbogen darf hier zwischen diesen",
        "zwei Punkten nicht größer als die maximale Abweichung sein.",
        "",
        "Wenn in der DXF Datei große DXF Einheiten benutzt werden, muss",
        "die maximale Abweichung entsprechend größer gewählt werden.",
        "Bei kleineren Einheiten entsprechend kleiner. Dies muss ausgetestet",
        "werden. Bei zu großen Wert werden auch gerade Linien in Kreisbögen",
        "umgewandelt. Bei zu kleinem Wert werden nicht alle Kreisbögen mehr ",
        "erkannt.",
        "",
        "Bei mehr Teststellen wird die Konvertierung entsprechend langsamer.",
        "Die nötige Anzahl an Tests ist das Produkt aus den Teststellen für den Kreis",
        "und den Teststellen für die Line. ",
        "Bei je 100 Teststellen werden also 100 x 100 = 10000 Tests durchgeführt.",
        "",
        "\"Abstände genau messen\" berechnet die wahren Abstände, ohne Teststellen.",
        "\"Konturen bilden\" verbindet Stücke in beiden Richtungen, je Layer.",
    };
    const QTextDocument& document = *form_->Memo1.document();
    QStringList shown;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      shown.append(block.text());
    }
    QCOMPARE(shown, expected);
    QVERIFY(form_->Memo1.isReadOnly());
    QCOMPARE(form_->Memo1.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(form_->Memo1.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // Typing into it changes nothing.
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    form_->Memo1.setFocus();
    QTest::keyClicks(&form_->Memo1, QStringLiteral("xyz"));
    QCOMPARE(form_->Memo1.toPlainText(), expected.join(QLatin1Char('\n')));
  }

  void ModeBoxesStartOffAndSwitchTheSettings() {
    QVERIFY(!form_->ExactBox.isChecked());
    QVERIFY(!form_->ContoursBox.isChecked());
    QCOMPARE(form_->ExactBox.text(), QStringLiteral("Abstände genau messen"));
    QCOMPARE(form_->ContoursBox.text(), QStringLiteral("Konturen bilden"));
    form_->ExactBox.setChecked(true);
    QVERIFY(form_->jobs.settings.exact_distances);
    QVERIFY(!form_->TestEd.isEnabled());
    QVERIFY(!form_->Test2Ed.isEnabled());
    form_->ExactBox.setChecked(false);
    QVERIFY(form_->TestEd.isEnabled());
    QVERIFY(form_->Test2Ed.isEnabled());
    form_->ContoursBox.setChecked(true);
    QVERIFY(form_->jobs.settings.contours);
    QVERIFY(!form_->jobs.settings.exact_distances);
  }

  void TabWalksThePanelThenTheMemo() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    form_->BitBtn1.setFocus();
    QStringList visited = {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 11; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, (QStringList{"BitBtn1", "AbweichEd", "ExactBox", "TestEd", "Test2Ed",
                                   "AboutBtn", "BitBtn2", "BitBtn4", "AbweichLinEd",
                                   "ContoursBox", "Memo1", "BitBtn1"}));
  }

  void LanguageMenuHoldsOneExclusiveCheckMark() {
    QCOMPARE(form_->Sprache1.title(), QStringLiteral("Sprache"));
    QStringList items;
    for (const QAction* action : form_->Sprache1.actions()) {
      items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    QCOMPARE(items, (QStringList{"Deutsch", "English", "Français", "Nederlands", "Italian",
                                 "Spanish", "Portuguese", "-", "Übersetzen..."}));
    QCOMPARE(form_->Sprache1.actions().at(7)->objectName(), QStringLiteral("N1"));
    QCOMPARE(form_->Hilfe1.title(), QStringLiteral("Hilfe"));
    QCOMPARE(form_->Hilfe1.actions(), QList<QAction*>{&form_->ber1});
    QCOMPARE(form_->ber1.text(), QStringLiteral("Über..."));
    QCOMPARE(form_->MainMenu1.actions(),
             (QList<QAction*>{form_->Sprache1.menuAction(), form_->Hilfe1.menuAction()}));

    QAction* const languages[] = {&form_->Deutsch1,  &form_->English1, &form_->Franais1,
                                  &form_->Nederlands1, &form_->Italian1, &form_->Spanish1,
                                  &form_->Portuguese1};
    QVERIFY(form_->Deutsch1.isChecked());
    for (QAction* chosen : languages) {
      chosen->trigger();
      for (const QAction* item : languages) QCOMPARE(item->isChecked(), item == chosen);
    }
    // Choosing the marked item again keeps it marked.
    form_->Portuguese1.trigger();
    QVERIFY(form_->Portuguese1.isChecked());
  }

  void AboutBoxOpensModallyFromButtonAndMenu() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QString year = QString::number(QDate::currentDate().year());
    int opened = 0;
    const auto check_and_close = [&opened, year, this](TAboutBox& modal) {
      ++opened;
      QCOMPARE(&modal, &form_->AboutBox());
      QVERIFY(modal.isModal());
      const QLabel* copyright = modal.findChild<QLabel*>(QStringLiteral("Copyright"));
      QVERIFY(copyright != nullptr);
      QVERIFY(copyright->text().contains(year));
      QVERIFY(!copyright->text().contains(QStringLiteral("XXXX")));
      QCOMPARE(modal.findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
               QStringLiteral("Quillmere"));
      QVERIFY(!modal.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->pixmap().isNull());
      modal.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    };
    WhenModalShown<TAboutBox>(check_and_close);
    QTest::mouseClick(&form_->AboutBtn, Qt::LeftButton);
    QCOMPARE(opened, 1);
    WhenModalShown<TAboutBox>(check_and_close);
    form_->ber1.trigger();
    QCOMPARE(opened, 2);
    QVERIFY(!form_->AboutBox().isVisible());
  }

  void TranslationItemOpensTheEditorModally() {
    bool opened = false;
    WhenModalShown<TTranslateForm>([&opened, this](TTranslateForm& modal) {
      opened = &modal == &form_->TranslateForm();
      modal.close();
    });
    form_->bersetzen1.trigger();
    QVERIFY(opened);
    // Closing it tells the user to restart, in the current language.
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    const testing::ShownMessage& restart = messages_->shown.front();
    QVERIFY(!restart.is_error);
    QVERIFY(restart.caption == u"Übersetzen");
    QVERIFY(restart.text == u"Bitte schließen Sie das Program und starten Sie es neu.");
  }

 private:
  std::unique_ptr<testing::TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(MainFormTest);
#include "main_form_test.moc"
