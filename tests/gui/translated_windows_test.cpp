// The Qt windows in a foreign language: the order in which a first start
// learns their texts (the order stored translation files are built in),
// that they look as designed until translations exist, and translated
// afterwards.

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include "app/gui/main_form.h"
#include "gui/gui_test_support.h"
#include "i18n/language.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::TableColumn;
using testing::TableRow;
using testing::TranslationSandbox;

namespace {

// Every text the first start in a foreign language learns, in order: the
// catalogue, then the window captions from the last window to the first,
// then the components of each window from its last to its first, the
// preview's first and the main window's last.
const QStringList kLearntAtFirstStart = {
    // catalogue
    "Bitte schließen Sie das Program und starten Sie es neu.",
    "Übersetzen",
    "Folgende DXF Datei konnte nicht geöffnet werden:",
    "Beginne Konvertierung... Bitte warten...",
    "Konvertierung beendet:",
    "Folgende DXF Datei konnte nicht angelegt werden:",
    "Es konnte keine Polyline gefunden werden. Wenn es noch einzelen Linien sind führen Sie "
    "bitte zunächst die Konvertierung in Polylinien aus.",
    "Keine Polylines",
    // window captions; the editor's is catalogue text 2
    "Vorschau",
    "Info",
    "Quillmere 1.0",
    // preview: the legend's templates and keys, the bar above the drawing
    "%1 davon geschlossen",
    "Enden der Polylinien",
    "%1 Polylinien an %2 andere angehängt",
    "%1 Linien zu %2 Polylinien verkettet",
    "%1 Punkte entfernt",
    "%1 Kreisbögen gefunden",
    "Kreisbögen",
    "Linien",
    "Mausrad: vergrößern und verkleinern, Ziehen: verschieben, Doppelklick: ganze Zeichnung",
    "Ganze Zeichnung",
    "Entfernte Punkte zeigen",
    "Nachher",
    "Vorher",
    // translation editor; its grid is empty, its search field too
    "Erste Spalte fixieren",
    "Zeile löchen",
    "Suchen",
    "Zurück...",
    // About box
    "OK",
    "Kreisbögen, Linien und Polylinien in DXF Dateien",
    "Copyright © XXXX Tormel",
    "Version 1.0",
    "Quillmere",
    // main window: the status bar's buttons, file dialogs, menus, memo,
    // labels, buttons
    "Kurven in Bögen umwandeln",
    "Konturen bilden",
    "Abstände genau messen",
    "Vorschau...",
    "Abbrechen",
    "DXF-Dateien (*.dxf)|*.dxf",
    "Über...",
    "Hilfe",
    "Übersetzen...",
    "-",
    "Portuguese",
    "Spanish",
    "Italian",
    "Nederlands",
    "Français",
    "English",
    "Deutsch",
    "Sprache",
    "Die Linien müssen in Form einer \"Polyline\" vorliegen.",
    "Falls viele einzelne Linien vorliegen, müssen diese zunächst zu einer",
    "Polylinie verbunden werden. Falls viele einzelne Polylinien vorliegen,",
    "müssen diese zunächst verbunden werden.",
    "Jeder Kreisbogen wird in x (z.B. 100) Teile und jede Linie wird",
    "in y (z.B. 100) Teile geteilt. Es wird für jede Teilungsstelle der",
    "Linie die am nächsten liegende Teilungsstelle des Kreisbogens gesucht.",
    "Der Abstand zwischen Linie und Kreisbogen darf hier zwischen diesen",
    "zwei Punkten nicht größer als die maximale Abweichung sein.",
    "Wenn in der DXF Datei große DXF Einheiten benutzt werden, muss",
    "die maximale Abweichung entsprechend größer gewählt werden.",
    "Bei kleineren Einheiten entsprechend kleiner. Dies muss ausgetestet",
    "werden. Bei zu großen Wert werden auch gerade Linien in Kreisbögen",
    "umgewandelt. Bei zu kleinem Wert werden nicht alle Kreisbögen mehr",
    "erkannt.",
    "Bei mehr Teststellen wird die Konvertierung entsprechend langsamer.",
    "Die nötige Anzahl an Tests ist das Produkt aus den Teststellen für den Kreis",
    "und den Teststellen für die Line.",
    "Bei je 100 Teststellen werden also 100 x 100 = 10000 Tests durchgeführt.",
    "\"Abstände genau messen\" berechnet die wahren Abstände, ohne Teststellen.",
    "\"Konturen bilden\" verbindet Stücke in beiden Richtungen, je Layer.",
    "\"Kurven in Bögen umwandeln\" ersetzt auch Splines und Ellipsen durch Bögen.",
    "Akzeptiere eine Abweichung von X DXF Einheiten, beim Zusammenfügen von Linienstückchen:",
    "Linie an sovielen Stellen testen:",
    "Kreisbogen an sovielen Stellen testen:",
    "Maximale Abweichung von Line und Kreisbogen in DXF Einheiten:",
    "Polylinien verbinden...",
    "Linien in Polylinien konvertieren...",
    "DXF Datei konvertieren...",
};

// The English made up for a German text; the separator stays one.
QString English(const QString& german) {
  return german == QLatin1String("-") ? german : QStringLiteral("en ") + german;
}

QStringList MemoLines(const QPlainTextEdit& memo) {
  QStringList lines;
  for (QTextBlock line = memo.document()->begin(); line.isValid(); line = line.next()) {
    lines.append(line.text());
  }
  return lines;
}

// What a component shows: its texts, and for labels and buttons where.
QString Look(QObject& component) {
  const QString name = component.objectName() + QLatin1Char(' ');
  if (auto* label = qobject_cast<QLabel*>(&component)) {
    return name + label->text() + (label->pixmap().isNull() ? "" : " picture") +
           QStringLiteral(" %1,%2 %3x%4")
               .arg(label->x())
               .arg(label->y())
               .arg(label->width())
               .arg(label->height());
  }
  if (auto* button = qobject_cast<QAbstractButton*>(&component)) {
    return name + button->text() + " tip " + button->toolTip() +
           QStringLiteral(" %1x%2").arg(button->width()).arg(button->height());
  }
  if (auto* item = qobject_cast<QAction*>(&component)) {
    return name + (item->isSeparator() ? "separator" : item->text()) + " hint " +
           item->statusTip() + (item->isChecked() ? " checked" : "");
  }
  if (auto* menu = qobject_cast<QMenu*>(&component)) return name + menu->title();
  if (auto* field = qobject_cast<QAbstractSpinBox*>(&component)) {
    return name + field->text() + " tip " + field->toolTip();
  }
  if (auto* grid = qobject_cast<StringGrid*>(&component)) {
    QStringList headings;
    for (int column = 0; column < grid->ColCount(); ++column) headings.append(grid->Cell(column, 0));
    return name + headings.join('|') + QStringLiteral(" rows %1").arg(grid->RowCount());
  }
  if (auto* memo = qobject_cast<QPlainTextEdit*>(&component)) return name + memo->toPlainText();
  if (auto* edit = qobject_cast<QLineEdit*>(&component)) return name + edit->text();
  return name;
}

// How every window and every component of it looks.
QStringList Looks(TMainForm& form) {
  QStringList looks;
  const std::pair<QWidget*, QObjectList> windows[] = {
      {&form, form.Components()},
      {&form.AboutBox(), form.AboutBox().Components()},
      {&form.TranslateForm(), form.TranslateForm().Components()},
      {&form.PreviewForm(), form.PreviewForm().Components()}};
  for (const auto& [window, components] : windows) {
    looks.append(window->objectName() + " title " + window->windowTitle());
    for (QObject* component : components) {
      if (component != nullptr) looks.append(Look(*component));
    }
  }
  return looks;
}

}  // namespace

class TranslatedWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<TranslationSandbox>();
    messages_ = std::make_unique<RecordingMessages>();
    dialogs_ = std::make_unique<ScriptedFileDialogs>();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quillmere"));
  }
  void cleanup() { sandbox_.reset(); }

  void FirstForeignStartLooksAsDesignedAndLearnsEveryTextInVisitingOrder() {
    sandbox_->SaveLanguage(kEnglish);
    TMainForm form(*messages_, *dialogs_);
    const QStringList designed = Looks(form);
    form.show();
    QCOMPARE(language(), int{kEnglish});
    QCOMPARE(Looks(form).join('\n'), designed.join('\n'));
    QCOMPARE(TableColumn(*ActiveTranslationTable(), 0), kLearntAtFirstStart);
    QCOMPARE(testing::SavedColumn(sandbox_->TranslationFile(), 0), kLearntAtFirstStart);
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Quillmere"));
  }

  void NextStartShowsTheTranslationsAndLearnsNothing() {
    std::vector<TableRow> rows;
    for (const QString& german : kLearntAtFirstStart) {
      rows.push_back({german.toStdU16String(), English(german).toStdU16String()});
    }
    testing::WriteTranslationTable(sandbox_->TranslationFile(), rows);
    sandbox_->SaveLanguage(kEnglish);
    TMainForm form(*messages_, *dialogs_);
    const int designed_label_width = form.Label3.sizeHint().width();
    form.show();

    QCOMPARE(form.windowTitle(), QStringLiteral("en Quillmere 1.0"));
    QCOMPARE(form.AboutBox().windowTitle(), QStringLiteral("en Info"));
    QCOMPARE(form.TranslateForm().windowTitle(), QStringLiteral("en Übersetzen"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("en Quillmere"));

    QCOMPARE(form.BitBtn1.text(), QStringLiteral("en DXF Datei konvertieren..."));
    QCOMPARE(form.BitBtn2.text(), QStringLiteral("en Linien in Polylinien konvertieren..."));
    // The button and the help menu item share one row.
    QCOMPARE(form.AboutBtn.text(), QStringLiteral("en Über..."));
    QCOMPARE(form.ber1.text(), QStringLiteral("en Über..."));
    // Labels fit their new texts; the fields keep their numbers.
    QCOMPARE(form.Label3.text(),
             QStringLiteral("en Maximale Abweichung von Line und Kreisbogen in DXF Einheiten:"));
    QVERIFY(form.Label3.sizeHint().width() > designed_label_width);
    QTRY_VERIFY(form.Label3.width() >= form.Label3.sizeHint().width());
    QCOMPARE(form.AbweichEd.text(), QStringLiteral("0.10000"));
    QCOMPARE(form.TestEd.text(), QStringLiteral("100"));
    QCOMPARE(form.AbweichLinEd.text(), QStringLiteral("0.0100000"));

    QCOMPARE(form.Sprache1.title(), QStringLiteral("en Sprache"));
    QCOMPARE(form.English1.text(), QStringLiteral("en English"));
    QCOMPARE(form.bersetzen1.text(), QStringLiteral("en Übersetzen..."));
    QVERIFY(form.N1.isSeparator());
    QVERIFY(form.English1.isChecked());
    // The filter is replaced whole, patterns included.
    QVERIFY(form.texts().Text(kMainWindow, "OpenDialog1") == u"en DXF-Dateien (*.dxf)|*.dxf");
    QVERIFY(form.texts().Text(kMainWindow, "SaveDialog1") == u"en DXF-Dateien (*.dxf)|*.dxf");

    const QStringList memo = MemoLines(form.Memo1);
    QCOMPARE(memo.size(), 27);
    QCOMPARE(memo[0], QStringLiteral("en Die Linien müssen in Form einer \"Polyline\" vorliegen."));
    QCOMPARE(memo[4], QString());
    QCOMPARE(memo[16],
             QStringLiteral("en umgewandelt. Bei zu kleinem Wert werden nicht alle Kreisbögen mehr "));
    QCOMPARE(memo[21], QStringLiteral("en und den Teststellen für die Line. "));

    TTranslateForm& editor = form.TranslateForm();
    QCOMPARE(editor.BackBtn.text(), QStringLiteral("en Zurück..."));
    QCOMPARE(editor.FilterBtn.text(), QStringLiteral("en Suchen"));
    QCOMPARE(editor.DeleteRowBtn.text(), QStringLiteral("en Zeile löchen"));
    QCOMPARE(editor.FixedColCheck.text(), QStringLiteral("en Erste Spalte fixieren"));
    QCOMPARE(editor.FilterEdit.text(), QString());

    const QList<QLabel*> about_labels = form.AboutBox().findChildren<QLabel*>();
    QStringList about_texts;
    for (const QLabel* label : about_labels) {
      about_texts.append(label->pixmap().isNull() ? label->text() : QStringLiteral("picture"));
    }
    QCOMPARE(about_texts, (QStringList{"picture", "en Quillmere", "en Version 1.0",
                                       "en Copyright © XXXX Tormel",
                                       "en Kreisbögen, Linien und Polylinien in DXF Dateien"}));

    // The preview's legend fills in the translated templates.
    TPreviewForm& preview = form.PreviewForm();
    QCOMPARE(preview.windowTitle(), QStringLiteral("en Vorschau"));
    QCOMPARE(preview.PunkteCheck.text(), QStringLiteral("en Entfernte Punkte zeigen"));
    const testing::TempDir folder;
    testing::WriteFile(folder.File("in.dxf"), testing::SmallDrawing());
    form.jobs().Run(JobMode::kFindArcs, folder.File("in.dxf"), folder.File("out.dxf"), *messages_);
    QVERIFY(preview.ShowJobResult(JobMode::kFindArcs, folder.File("in.dxf"), folder.File("out.dxf")));
    QCOMPARE(preview.LegendTexts(),
             (QStringList{"en Linien", "en Kreisbögen", "en 2 Kreisbögen gefunden",
                          "en 4 Punkte entfernt"}));

    // Every text was found: nothing new, no number, no inner text of a
    // control was learnt.
    QCOMPARE(TableColumn(*ActiveTranslationTable(), 0), kLearntAtFirstStart);

    // The editor's headings are written anew, in English, when it is filled.
    editor.FillStringGrid();
    QCOMPARE(editor.StringGrid1.Cell(0, 0), QStringLiteral("German"));
    QCOMPARE(editor.StringGrid1.Cell(1, 1), English(kLearntAtFirstStart[0]));
  }

  void AGermanStartTranslatesNoWindow() {
    TMainForm form(*messages_, *dialogs_);
    const QStringList designed = Looks(form);
    form.show();
    QCOMPARE(Looks(form), designed);
    // Only the catalogue is learnt, and the title, which the About box has.
    QStringList learnt = kLearntAtFirstStart.mid(0, 8);
    learnt.append(QStringLiteral("Quillmere"));
    QCOMPARE(TableColumn(*ActiveTranslationTable(), 0), learnt);
  }

 private:
  std::unique_ptr<TranslationSandbox> sandbox_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<ScriptedFileDialogs> dialogs_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(TranslatedWindowsTest);
#include "translated_windows_test.moc"
