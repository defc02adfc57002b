// The Qt windows and the toolkit-free tables of the windows' texts, which
// the Windows program builds its windows from, must not drift apart: one
// translation file serves both programs only while both learn the same
// texts in the same order.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "app/gui/main_form.h"
#include "app/window_texts.h"
#include "gui/gui_test_support.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::TableColumn;
using testing::TranslationSandbox;

namespace {

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// What the lookup learns from `text`: without its spaces at the ends,
// nothing when that leaves nothing, and a text it holds already once.
void Learn(QStringList& learnt, std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  const QString key = FromView(text.substr(first, last - first));
  if (!key.isEmpty() && !learnt.contains(key)) learnt.append(key);
}

// The texts of a Qt component as the window translator reads them.
QStringList QtTexts(QObject& component) {
  if (auto* label = qobject_cast<QLabel*>(&component)) return {label->text()};
  if (auto* button = qobject_cast<QAbstractButton*>(&component)) return {button->text()};
  if (auto* item = qobject_cast<QAction*>(&component)) {
    return {item->isSeparator() ? QStringLiteral("-") : item->text()};
  }
  if (auto* menu = qobject_cast<QMenu*>(&component)) return {menu->title()};
  if (auto* dialog = qobject_cast<FileDialog*>(&component)) return {dialog->Filter()};
  if (auto* memo = qobject_cast<QPlainTextEdit*>(&component)) {
    QStringList lines;
    for (QTextBlock line = memo->document()->begin(); line.isValid(); line = line.next()) {
      lines.append(line.text());
    }
    return lines;
  }
  return {QString()};
}

}  // namespace

class SharedWindowTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    sandbox_ = std::make_unique<TranslationSandbox>();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quillmere"));
  }
  void cleanup() { sandbox_.reset(); }

  void EveryWindowHasTheTablesComponentsNamesAndTexts() {
    TMainForm form(messages_, dialogs_);
    const std::vector<QWidget*> windows = form.Windows();
    const std::span<const WindowTexts> tables = ProgramWindows();
    QCOMPARE(windows.size(), tables.size());
    for (std::size_t w = 0; w < windows.size(); ++w) {
      QCOMPARE(windows[w]->objectName(), QString::fromUtf8(tables[w].name.data(), tables[w].name.size()));
      QCOMPARE(windows[w]->windowTitle(), FromView(tables[w].caption));
      const QObjectList components = dynamic_cast<ComponentOwner&>(*windows[w]).Components();
      QCOMPARE(std::size_t(components.size()), tables[w].controls.size());
      for (std::size_t c = 0; c < tables[w].controls.size(); ++c) {
        const ControlText& control = tables[w].controls[c];
        QCOMPARE(components[c]->objectName(), QString::fromUtf8(control.name.data(), control.name.size()));
        QStringList expected;
        for (const std::u16string_view text : ControlTexts(control)) expected.append(FromView(text));
        QCOMPARE(QtTexts(*components[c]), expected);
      }
    }
  }

  void AForeignStartLearnsWhatTheTablesWalkGives() {
    sandbox_->SaveLanguage(kEnglish);
    TMainForm form(messages_, dialogs_);
    form.show();
    QStringList expected;
    for (int n = 1; n <= 16; ++n) Learn(expected, CatalogueGerman(n));
    const std::span<const WindowTexts> tables = ProgramWindows();
    VisitInTranslationOrder(tables, [&](int window, int control) {
      if (control < 0) {
        Learn(expected, tables[window].caption);
        return;
      }
      for (const std::u16string_view text : ControlTexts(tables[window].controls[control])) {
        Learn(expected, text);
      }
    });
    Learn(expected, u"Quillmere");  // the application's title, last
    QCOMPARE(TableColumn(*ActiveTranslationTable(), 0), expected);
  }

 private:
  std::unique_ptr<TranslationSandbox> sandbox_;
  RecordingMessages messages_;
  ScriptedFileDialogs dialogs_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(SharedWindowTextsTest);
#include "shared_window_texts_test.moc"
