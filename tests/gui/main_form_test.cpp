// The main window as the user sees it: controls, texts, layout, tab order,
// menus, and the About box opened from the button and the help menu.

#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
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

  void WindowHasItsCaptionAndCanBeResized() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Quillmere 1.0"));
    QCOMPARE(form_->ClientArea.y(), form_->MainMenu1.geometry().bottom() + 1);
    QVERIFY(form_->maximumWidth() > form_->minimumSizeHint().width());
    QVERIFY(form_->maximumHeight() > form_->minimumSizeHint().height());
    QCOMPARE(form_->font().pointSize(), 8);
    // Tahoma where it is installed, a sans-serif face in its place elsewhere.
    QCOMPARE(form_->font().families().value(0), QStringLiteral("Tahoma"));
    QCOMPARE(form_->BitBtn1.font(), form_->font());
    // Grown to show the whole help text where the screen has room for it.
    const int room = form_->screen()->availableGeometry().height() - 40;
    QVERIFY(form_->Memo1.verticalScrollBar()->maximum() == 0 || form_->height() >= room);
  }

  // The design's places and sizes at scale 1: the job buttons in two rows,
  // each label above its field, the check boxes beside their fields, the
  // help text below.
  void ControlsKeepTheDesignsPlaces() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const struct {
      const QPushButton& button;
      QString text;
      QSize size;
    } buttons[] = {
        {form_->BitBtn1, "DXF Datei konvertieren...", {185, 33}},
        {form_->AboutBtn, "Über...", {94, 33}},
        {form_->BitBtn2, "Linien in Polylinien konvertieren...", {281, 33}},
        {form_->BitBtn4, "Polylinien verbinden...", {281, 33}},
    };
    for (const auto& button : buttons) {
      QCOMPARE(button.button.text(), button.text);
      QVERIFY(!button.button.icon().isNull());
      QVERIFY(button.button.width() >= button.size.width());
      QCOMPARE(button.button.height(), button.size.height());
    }
    QCOMPARE(form_->BitBtn1.pos(), QPoint(8, 8));
    QCOMPARE(form_->AboutBtn.y(), 8);
    QVERIFY(form_->AboutBtn.x() > form_->BitBtn1.geometry().right());
    QCOMPARE(form_->BitBtn2.x(), 8);
    QVERIFY(form_->BitBtn2.y() >= form_->BitBtn1.geometry().bottom());
    QCOMPARE(form_->BitBtn4.y(), form_->BitBtn2.y());
    QVERIFY(form_->BitBtn4.x() > form_->BitBtn2.geometry().right());

    const struct {
      const QLabel& label;
      QString text;
      const NumericField& field;
      QString shown;
    } settings[] = {
        {form_->Label3, "Maximale Abweichung von Line und Kreisbogen in DXF Einheiten:",
         form_->AbweichEd, "0.10000"},
        {form_->Label1, "Kreisbogen an sovielen Stellen testen:", form_->TestEd, "100"},
        {form_->Label2, "Linie an sovielen Stellen testen:", form_->Test2Ed, "100"},
        {form_->Label4,
         "Akzeptiere eine Abweichung von X DXF Einheiten, beim Zusammenfügen von "
         "Linienstückchen:",
         form_->AbweichLinEd, "0.0100000"},
    };
    int below = form_->BitBtn2.geometry().bottom();
    for (const auto& setting : settings) {
      QCOMPARE(setting.label.text(), setting.text);
      QVERIFY(setting.label.width() >= setting.label.sizeHint().width());
      QCOMPARE(setting.label.x(), 8);
      QCOMPARE(setting.field.x(), 8);
      QVERIFY(setting.label.y() > below);
      QVERIFY(setting.field.y() > setting.label.geometry().bottom());
      below = setting.field.geometry().bottom();
      QCOMPARE(setting.field.text(), setting.shown);
      QVERIFY(setting.field.alignment() & Qt::AlignRight);
    }
    for (const auto& [box, field] : {std::pair<const QCheckBox*, const NumericField*>{
                                         &form_->ModeBox("ExactBox"), &form_->AbweichEd},
                                     {&form_->ModeBox("CurvesBox"), &form_->AbweichEd},
                                     {&form_->ModeBox("ContoursBox"), &form_->AbweichLinEd}}) {
      QVERIFY(box->x() > field->geometry().right());
      QCOMPARE(box->geometry().center().y(), field->geometry().center().y());
    }
    QCOMPARE(form_->Memo1.geometry().top(), form_->Panel1.geometry().bottom() + 1);
    QCOMPARE(form_->Memo1.width(), form_->ClientArea.width());
  }

  // Whatever the value, the field shows all of it, in the field's own font.
  void FieldsAreWideEnoughForTheirLargestValue() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    for (NumericField* field : {&form_->AbweichEd, &form_->TestEd, &form_->Test2Ed,
                                &form_->AbweichLinEd}) {
      field->SetValue(1e6);
      const QLineEdit& edit = *field->findChild<QLineEdit*>();
      const int text_width = edit.fontMetrics().horizontalAdvance(field->text());
      QVERIFY2(text_width <= edit.contentsRect().width() - 4, qPrintable(field->text()));
    }
  }

  // At its smallest the window keeps every control and the status bar, with
  // a job's progress and its cancel button, in view; only the help text
  // shrinks and scrolls. With the frame it then fits a 1600 x 1000 screen at
  // scale 2 and a 1280 x 720 screen at scale 1.25, whose sizes in the
  // window's own pixels are 800 x 500 and 1024 x 576.
  void SmallestSizeKeepsEveryControlInView() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    for (QWidget* widget : {static_cast<QWidget*>(&form_->ProgressLabel),
                            static_cast<QWidget*>(&form_->ProgressBar1),
                            static_cast<QWidget*>(&form_->CancelBtn)}) {
      widget->show();
    }
    form_->ProgressLabel.setText(QStringLiteral("Kreisbögen suchen"));
    const QSize smallest = form_->minimumSizeHint();
    form_->resize(smallest);
    QTRY_COMPARE(form_->size(), smallest);
    const QSize frame_allowance(8, 40);
    for (const QSize screen : {QSize(800, 500), QSize(1024, 576)}) {
      QVERIFY2((smallest + frame_allowance).width() <= screen.width() &&
                   (smallest + frame_allowance).height() <= screen.height(),
               qPrintable(QStringLiteral("%1 x %2").arg(smallest.width()).arg(smallest.height())));
    }
    QVERIFY(smallest.height() < 637);  // the old fixed height

    const QRect window = form_->rect();
    const QRect panel(form_->Panel1.mapTo(form_.get(), QPoint(0, 0)), form_->Panel1.size());
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             &form_->BitBtn1, &form_->AboutBtn, &form_->BitBtn2, &form_->BitBtn4,
             &form_->Label3, &form_->AbweichEd, &form_->ModeBox("ExactBox"), &form_->Label1, &form_->TestEd,
             &form_->Label2, &form_->Test2Ed, &form_->Label4, &form_->AbweichLinEd,
             &form_->ModeBox("ContoursBox"), &form_->ModeBox("CurvesBox")}) {
      const QRect place(control->mapTo(form_.get(), QPoint(0, 0)), control->size());
      QVERIFY2(panel.contains(place) && control->size() == control->size().expandedTo(
                                                               control->minimumSizeHint()),
               qPrintable(control->objectName()));
    }
    for (const QWidget* part : std::initializer_list<const QWidget*>{
             &form_->ProgressLabel, &form_->ProgressBar1, &form_->CancelBtn}) {
      const QRect place(part->mapTo(form_.get(), QPoint(0, 0)), part->size());
      QVERIFY2(window.contains(place), qPrintable(part->objectName()));
    }
    QCOMPARE(form_->StatusBar1.geometry().bottom(), window.bottom());
    QVERIFY(form_->Memo1.height() >= 4 * form_->Memo1.fontMetrics().lineSpacing());
    QVERIFY(form_->Memo1.verticalScrollBar()->maximum() > 0);
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
        "\"Kurven in Bögen umwandeln\" ersetzt auch Splines und Ellipsen durch Bögen.",
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
    QVERIFY(!form_->ModeBox("ExactBox").isChecked());
    QVERIFY(!form_->ModeBox("ContoursBox").isChecked());
    QCOMPARE(form_->ModeBox("ExactBox").text(), QStringLiteral("Abstände genau messen"));
    QCOMPARE(form_->ModeBox("ContoursBox").text(), QStringLiteral("Konturen bilden"));
    form_->ModeBox("ExactBox").setChecked(true);
    QVERIFY(form_->jobs().settings.exact_distances);
    QVERIFY(!form_->TestEd.isEnabled());
    QVERIFY(!form_->Test2Ed.isEnabled());
    form_->ModeBox("ExactBox").setChecked(false);
    QVERIFY(form_->TestEd.isEnabled());
    QVERIFY(form_->Test2Ed.isEnabled());
    form_->ModeBox("ContoursBox").setChecked(true);
    QVERIFY(form_->jobs().settings.contours);
    QVERIFY(!form_->jobs().settings.exact_distances);
    QCOMPARE(form_->ModeBox("CurvesBox").text(), QStringLiteral("Kurven in Bögen umwandeln"));
    form_->ModeBox("CurvesBox").setChecked(true);
    QVERIFY(form_->jobs().settings.curves);
    QVERIFY(form_->TestEd.isEnabled());
  }

  // Reading order: the buttons row by row, each field with its box, the
  // help text, and back to the first button (the status line's buttons are
  // hidden without a job).
  void TabWalksThePanelInReadingOrderThenTheMemo() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    form_->BitBtn1.setFocus();
    QStringList visited = {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 12; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, (QStringList{"BitBtn1", "AboutBtn", "BitBtn2", "BitBtn4", "AbweichEd",
                                   "ExactBox", "CurvesBox", "TestEd", "Test2Ed", "AbweichLinEd",
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
