#include "app/gui/numeric_field.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include "support/numbers.h"

namespace quillmere {

NumericField::NumericField(QWidget* parent) : QAbstractSpinBox(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
    if (field_ != nullptr) field_->TextEdited();
  });
}

void NumericField::Attach(NumberField& field) {
  field_ = &field;
  field.Attach(*this);
  updateGeometry();
}

std::u16string NumericField::Text() const { return lineEdit()->text().toStdU16String(); }

void NumericField::ShowText(const std::u16string& text) {
  lineEdit()->setText(QString::fromStdU16String(text));
}

void NumericField::stepBy(int steps) { field_->Step(steps); }

void NumericField::clear() {
  QAbstractSpinBox::clear();
  field_->TextEdited();
}

// Whether the text is a number is settled only when it is read: while it
// is typed, "1e" or "-" are on their way to one.
QValidator::State NumericField::validate(QString& input, int& position) const {
  (void)position;
  const std::optional<std::u16string> accepted = NumberField::AcceptedText(input.toStdU16String());
  if (!accepted) return QValidator::Invalid;
  input = QString::fromStdU16String(*accepted);
  return ParseNumber(input.toStdString()) ? QValidator::Acceptable : QValidator::Intermediate;
}

QSize NumericField::sizeHint() const {
  ensurePolished();
  int width = 0;
  if (field_ != nullptr) {
    const SettingProperties& properties = field_->setting().properties();
    for (const double value : {properties.minimum, properties.maximum}) {
      // One blank more, as Qt's own spin boxes keep, and room for the cursor.
      const QString text = QString::fromStdString(FormatFixed(value, properties.decimals) + " ");
      width = std::max(width, fontMetrics().horizontalAdvance(text) + 2);
    }
  }
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QSize contents(width, lineEdit()->sizeHint().height());
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this);
}

QSize NumericField::minimumSizeHint() const { return sizeHint(); }

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
