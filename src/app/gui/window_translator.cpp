#include "app/gui/window_translator.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTreeWidget>

#include "app/gui/component_owner.h"
#include "app/gui/file_dialogs.h"
#include "i18n/translations.h"
#include "support/record_array.h"

namespace quillmere {

namespace {

// The walk's work lists hold component references.
using ComponentList = RecordArray<QObject*>;

// A menu item whose caption is "-" is drawn as a separator line. Qt keeps
// separators as a flag, and would draw a "-" text beside the line, so the
// caption is mapped onto that flag both ways.
const QString kSeparatorCaption = QStringLiteral("-");

QString MenuItemCaption(const QAction& item) {
  return item.isSeparator() ? kSeparatorCaption : item.text();
}

void SetMenuItemCaption(QAction& item, const QString& caption) {
  const bool separator = caption == kSeparatorCaption;
  item.setSeparator(separator);
  item.setText(separator ? QString() : caption);
}

// Qt's label doubles as the picture component; a label showing a picture has
// no caption, and setting one would drop the picture.
bool ShowsPicture(const QLabel& label) { return !label.pixmap().isNull(); }

bool IsWindow(const QObject& component) {
  return qobject_cast<const QMainWindow*>(&component) != nullptr ||
         qobject_cast<const QDialog*>(&component) != nullptr;
}

void TranslateToolTip(QWidget& widget) { widget.setToolTip(TranslatedText(widget.toolTip())); }

void TranslateWindowCaption(QWidget& window) {
  window.setWindowTitle(TranslatedText(window.windowTitle()));
}

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

void TranslateLabel(QLabel& label) {
  label.setText(TranslatedText(label.text()));
  // A label without word wrap is as large as its text, like the auto-sized
  // labels of the windows' design; the translation has another length. A
  // layout sizes the labels it holds itself.
  if (!label.wordWrap() && !IsLaidOut(label)) label.adjustSize();
}

void TranslateCheckBox(QCheckBox& check_box) {
  TranslateToolTip(check_box);
  check_box.setText(TranslatedText(check_box.text()));
}

// A menu item's hint is its status tip: its tool tip falls back to the
// caption when none is set, so reading that would take the translated
// caption for a German hint. Captions are written as they are; an "&" in a
// translation marks the shortcut letter, as in every menu caption.
void TranslateMenuItem(QAction& item) {
  SetMenuItemCaption(item, TranslatedText(MenuItemCaption(item)));
  item.setStatusTip(TranslatedText(item.statusTip()));
}

void TranslateMenu(QMenu& menu) {
  menu.setTitle(TranslatedText(menu.title()));
  QAction& item = *menu.menuAction();
  item.setStatusTip(TranslatedText(item.statusTip()));
}

// Only heading cells that hold a text of the grid's own are read: without
// one Qt shows the column number, which is no text to translate.
void TranslateHeadingRow(QTableWidget& grid) {
  for (int column = 0; column < grid.columnCount(); ++column) {
    if (QTableWidgetItem* heading = grid.horizontalHeaderItem(column)) {
      heading->setText(TranslatedText(heading->text()));
    }
  }
}

void TranslateColumnTitles(QTreeWidget& list) {
  QTreeWidgetItem& titles = *list.headerItem();
  for (int column = 0; column < list.columnCount(); ++column) {
    titles.setText(column, TranslatedText(titles.text(column)));
  }
}

// The lines are the memo's text blocks; without line wrapping each block is
// one line on screen. Qt's document always holds what the memo shows, so no
// refresh is needed before reading it.
void TranslateMemoLines(QPlainTextEdit& memo) {
  QStringList lines;
  for (QTextBlock line = memo.document()->begin(); line.isValid(); line = line.next()) {
    lines.append(TranslatedText(line.text()));
  }
  memo.setPlainText(lines.join(QLatin1Char('\n')));
}

// Translates the texts of one component by the first kind it belongs to.
void TranslateTexts(QObject& component) {
  if (auto* label = qobject_cast<QLabel*>(&component)) {
    if (!ShowsPicture(*label)) TranslateLabel(*label);
  } else if (auto* check_box = qobject_cast<QCheckBox*>(&component)) {
    TranslateCheckBox(*check_box);
  } else if (IsWindow(component)) {
    TranslateWindowCaption(static_cast<QWidget&>(component));
  } else if (auto* button = qobject_cast<QPushButton*>(&component)) {
    button->setText(TranslatedText(button->text()));
    TranslateToolTip(*button);
  } else if (auto* group_box = qobject_cast<QGroupBox*>(&component)) {
    group_box->setTitle(TranslatedText(group_box->title()));
    TranslateToolTip(*group_box);
  } else if (auto* item = qobject_cast<QAction*>(&component)) {
    TranslateMenuItem(*item);
  } else if (auto* menu = qobject_cast<QMenu*>(&component)) {
    TranslateMenu(*menu);
  } else if (auto* numeric_field = qobject_cast<QAbstractSpinBox*>(&component)) {
    TranslateToolTip(*numeric_field);
  } else if (auto* grid = qobject_cast<QTableWidget*>(&component)) {
    TranslateHeadingRow(*grid);
  } else if (auto* list = qobject_cast<QTreeWidget*>(&component)) {
    TranslateColumnTitles(*list);
  } else if (auto* dialog = qobject_cast<FileDialog*>(&component)) {
    dialog->SetFilter(TranslatedText(dialog->Filter()));
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(&component)) {
    TranslateMemoLines(*memo);
  } else if (auto* edit = qobject_cast<QLineEdit*>(&component)) {
    edit->setText(TranslatedText(edit->text()));
  }
}

bool Append(ComponentList& list, QObject* component) {
  QObject** const record = list.Add();
  if (record == nullptr) return false;  // out of memory: the walk ends, captions stay as they are
  *record = component;
  return true;
}

QObjectList OwnedComponents(QObject& component) {
  auto* const owner = dynamic_cast<ComponentOwner*>(&component);
  return owner != nullptr ? owner->Components() : QObjectList();
}

}  // namespace

QString TranslatedText(const QString& text) {
  return QString::fromStdU16String(TranslateText(text.toStdU16String()));
}

void TranslateComponents(QObject& root) {
  ComponentList queue;  // components whose owned components are still to visit
  ComponentList batch;  // the owned components of the one being processed
  Append(queue, &root);
  if (IsWindow(root)) TranslateWindowCaption(static_cast<QWidget&>(root));

  while (queue.count() > 0) {
    batch.Clear();
    QObject& node = **queue.GetObject(0);
    const QObjectList owned = OwnedComponents(node);
    for (qsizetype i = owned.size() - 1; i >= 0; --i) {
      Append(batch, owned[i]);
      TranslateTexts(*owned[i]);
    }
    queue.Delete(0);
    batch.First();
    while (batch.WhileNext()) Append(queue, *batch.current());
    batch.Clear();
  }
}

}  // namespace quillmere
