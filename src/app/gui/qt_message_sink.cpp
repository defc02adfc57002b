#include "app/gui/qt_message_sink.h"

#include <QApplication>
#include <QMessageBox>

namespace quillmere {

namespace {

void ShowBox(QMessageBox::Icon icon, const QString& caption, const std::u16string& text,
             QWidget* owner) {
  QMessageBox box(icon, caption, QString::fromStdU16String(text), QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace

void QtMessageSink::ShowError(const std::u16string& text) {
  // An error box has no caption of its own; it carries the application's name.
  ShowBox(QMessageBox::Critical, QApplication::applicationDisplayName(), text, BoxOwner());
}

void QtMessageSink::ShowInformation(const std::u16string& caption, const std::u16string& text) {
  ShowBox(QMessageBox::Information, QString::fromStdU16String(caption), text, BoxOwner());
}

QWidget* QtMessageSink::BoxOwner() const {
  return owner_ == Owner::kActiveWindow ? QApplication::activeWindow() : nullptr;
}

}  // namespace quillmere
