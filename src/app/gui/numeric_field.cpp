#include "app/gui/numeric_field.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include "support/numbers.h"

namespace quillmere {

namespace {

// The characters a number can be written with, as the number reader takes
// it: digits, the point, signs, the exponent letters and blanks around.
bool CanBePartOfNumber(QChar c) {
  if (c.unicode() > 127) return false;
  const char ascii = static_cast<char>(c.unicode());
  return (ascii >= '0' && ascii <= '9') || ascii == '.' || ascii == '+' || ascii == '-' ||
         ascii == 'e' || ascii == 'E' || ascii == ' ';
}

}  // namespace

NumericField::NumericField(JobSetting& setting, QWidget* parent)
    : QAbstractSpinBox(parent), setting_(setting) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
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

// Whether the text is a number is settled only when it is read: while it
// is typed, "1e" or "-" are on their way to one.
QValidator::State NumericField::validate(QString& input, int& position) const {
  (void)position;
  input.replace(QLatin1Char(','), QLatin1Char('.'));
  if (!std::all_of(input.cbegin(), input.cend(), CanBePartOfNumber)) return QValidator::Invalid;
  return ParseNumber(input.toStdString()) ? QValidator::Acceptable : QValidator::Intermediate;
}

QSize NumericField::sizeHint() const {
  ensurePolished();
  const SettingProperties& properties = setting_.properties();
  const QFontMetrics metrics = fontMetrics();
  int width = 0;
  for (const double value : {properties.minimum, properties.maximum}) {
    // One blank more, as Qt's own spin boxes keep, and room for the cursor.
    const QString text = QString::fromStdString(FormatFixed(value, properties.decimals) + " ");
    width = std::max(width, metrics.horizontalAdvance(text) + 2);
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
