// The Qt windows and the toolkit-free tables of the windows' texts, which
// the Windows program builds its windows from, must not drift apart: each
// Qt window lists the table's components, by name, and shows their texts.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "app/gui/main_form.h"
#include "app/presenter/window_texts.h"
#include "gui/gui_test_support.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "gui_test_registry.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::ScriptedFileDialogs;
using testing::TranslationSandbox;

namespace {

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The texts of a Qt component as the window translator reads them.
QStringList QtTexts(QObject& component) {
  if (auto* label = qobject_cast<QLabel*>(&component)) return {label->text()};
  if (auto* button = qobject_cast<QAbstractButton*>(&component)) return {button->text()};
  if (auto* item = qobject_cast<QAction*>(&component)) {
    return {item->isSeparator() ? QStringLiteral("-") : item->text()};
  }
  if (auto* menu = qobject_cast<QMenu*>(&component)) return {menu->title()};
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
    const std::pair<QWidget*, QObjectList> windows[] = {
        {&form, form.Components()},
        {&form.AboutBox(), form.AboutBox().Components()},
        {&form.TranslateForm(), form.TranslateForm().Components()},
        {&form.PreviewForm(), form.PreviewForm().Components()}};
    const std::span<const WindowTexts> tables = ProgramWindows();
    QCOMPARE(std::size(windows), tables.size());
    for (std::size_t w = 0; w < tables.size(); ++w) {
      const auto& [window, components] = windows[w];
      QCOMPARE(window->objectName(), QString::fromUtf8(tables[w].name.data(), tables[w].name.size()));
      QCOMPARE(window->windowTitle(), FromView(tables[w].caption));
      QCOMPARE(std::size_t(components.size()), tables[w].controls.size());
      for (std::size_t c = 0; c < tables[w].controls.size(); ++c) {
        const ControlText& control = tables[w].controls[c];
        // The file dialogs and the legend's templates are no objects here.
        if (components[c] == nullptr) continue;
        QCOMPARE(components[c]->objectName(), QString::fromUtf8(control.name.data(), control.name.size()));
        QStringList expected;
        for (const std::u16string_view text : ControlTexts(control)) expected.append(FromView(text));
        QCOMPARE(QtTexts(*components[c]), expected);
      }
    }
  }

 private:
  std::unique_ptr<TranslationSandbox> sandbox_;
  RecordingMessages messages_;
  ScriptedFileDialogs dialogs_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(SharedWindowTextsTest);
#include "shared_window_texts_test.moc"
