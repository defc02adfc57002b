#include "app/gui/numeric_field.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace quillmere {

NumericField::NumericField(JobSetting& setting, QWidget* parent)
    : QAbstractSpinBox(parent), setting_(setting) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { edited_ = true; });
  ShowSetting();
}

void NumericField::SetValue(double value) {
  setting_.Set(value);
  ShowSetting();
}

double NumericField::Value() {
  Commit();
  return setting_.value();
}

void NumericField::Commit() {
  if (!edited_) return;
  const std::string text = lineEdit()->text().toStdString();
  if (!setting_.SetText(text)) setting_.Set(setting_.properties().minimum);
  ShowSetting();
}

void NumericField::ShowSetting() {
  lineEdit()->setText(QString::fromStdString(setting_.Text()));
  edited_ = false;
}

void NumericField::stepBy(int steps) {
  Commit();
  SetValue(setting_.value() + steps);
}

void NumericField::clear() {
  QAbstractSpinBox::clear();
  edited_ = true;
}

QValidator::State NumericField::validate(QString& input, int& position) const {
  (void)position;
  const bool decimals = setting_.properties().decimals > 0;
  int points = 0;
  for (const QChar c : input) {
    if (c == QLatin1Char('.') && decimals && ++points == 1) continue;
    if (!c.isDigit() || c.unicode() > 127) return QValidator::Invalid;
  }
  // An empty field, or one of just ".", may still become a number.
  const bool complete = !input.isEmpty() && input != QLatin1String(".");
  return complete ? QValidator::Acceptable : QValidator::Intermediate;
}

QAbstractSpinBox::StepEnabled NumericField::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  return StepUpEnabled | StepDownEnabled;
}

void NumericField::focusOutEvent(QFocusEvent* event) {
  Commit();
  QAbstractSpinBox::focusOutEvent(event);
}

void NumericField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) Commit();
  QAbstractSpinBox::keyPressEvent(event);
}

}  // namespace quillmere
