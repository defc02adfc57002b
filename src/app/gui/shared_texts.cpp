#include "app/gui/shared_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QWidget>

namespace quillmere {

namespace {

bool HoldsWidget(QLayout& layout, const QWidget& widget) {
  for (int i = 0; i < layout.count(); ++i) {
    QLayoutItem* item = layout.itemAt(i);
    if (item->widget() == &widget) return true;
    if (item->layout() != nullptr && HoldsWidget(*item->layout(), widget)) return true;
  }
  return false;
}

// Whether a layout of its parent gives the widget its place and size.
bool IsLaidOut(const QWidget& widget) {
  const QWidget* parent = widget.parentWidget();
  return parent != nullptr && parent->layout() != nullptr && HoldsWidget(*parent->layout(), widget);
}

void ShowLabelText(QLabel& label, const QString& text) {
  label.setText(text);
  // A label without word wrap is as large as its text, like the auto-sized
  // labels of the windows' design; a translation has another length.
  if (!label.wordWrap() && !IsLaidOut(label)) label.adjustSize();
}

// Qt keeps a separator as a flag and would draw a "-" text beside the line.
void ShowMenuItemText(QAction& item, const QString& text) {
  const bool separator = text == QLatin1String("-");
  item.setSeparator(separator);
  item.setText(separator ? QString() : text);
}

void ShowMemoLines(QPlainTextEdit& memo, const std::vector<std::u16string>& lines) {
  QStringList shown;
  for (const std::u16string& line : lines) shown.append(QString::fromStdU16String(line));
  memo.setPlainText(shown.join(QLatin1Char('\n')));
}

void ShowComponentText(QObject& component, ControlKind kind,
                       const std::vector<std::u16string>& texts) {
  const QString text = QString::fromStdU16String(texts.front());
  switch (kind) {
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
      static_cast<QAbstractButton&>(component).setText(text);
      break;
    case ControlKind::kLabel:
      ShowLabelText(static_cast<QLabel&>(component), text);
      break;
    case ControlKind::kMenu:
      static_cast<QMenu&>(component).setTitle(text);
      break;
    case ControlKind::kMenuItem:
      ShowMenuItemText(static_cast<QAction&>(component), text);
      break;
    case ControlKind::kMemo:
      ShowMemoLines(static_cast<QPlainTextEdit&>(component), texts);
      break;
    case ControlKind::kEdit:
      static_cast<QLineEdit&>(component).setText(text);
      break;
    default:  // no text of its own: panels, fields, grids, dialogs, pictures
      break;
  }
}

QString NameOf(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

void NameComponents(QWidget& window_widget, int window, const QObjectList& components) {
  const WindowTexts& table = ProgramWindows()[window];
  window_widget.setObjectName(NameOf(table.name));
  for (qsizetype i = 0; i < components.size() && i < static_cast<qsizetype>(table.controls.size()); ++i) {
    if (components[i] != nullptr) components[i]->setObjectName(NameOf(table.controls[i].name));
  }
}

void ShowWindowTexts(QWidget& window_widget, int window, const QObjectList& components,
                     const ShownTexts& texts) {
  window_widget.setWindowTitle(QString::fromStdU16String(texts.Caption(window)));
  const std::span<const ControlText> controls = ProgramWindows()[window].controls;
  for (std::size_t i = 0; i < controls.size() && i < static_cast<std::size_t>(components.size());
       ++i) {
    if (components[static_cast<qsizetype>(i)] == nullptr) continue;
    ShowComponentText(*components[static_cast<qsizetype>(i)], controls[i].kind,
                      texts.TextsOf(window, static_cast<int>(i)));
  }
}

}  // namespace quillmere
