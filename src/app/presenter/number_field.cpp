#include "app/presenter/number_field.h"

#include <algorithm>
#include <cmath>

#include "support/utf.h"

namespace quillmere {

namespace {

// The characters a number can be written with, as the number reader takes
// it: digits, the point, signs, the exponent letters and blanks around.
bool CanBePartOfNumber(char16_t unit) {
  return (unit >= u'0' && unit <= u'9') || unit == u'.' || unit == u'+' || unit == u'-' ||
         unit == u'e' || unit == u'E' || unit == u' ';
}

// The power of ten of the leading digit of `value` (> 0), found by
// comparison so that 0.01 counts as 1e-2 whatever log10 rounds to.
double LeadingUnit(double value) {
  double unit = std::pow(10.0, std::floor(std::log10(value)));
  constexpr double kSlack = 1e-9;
  if (unit * 10 <= value * (1 + kSlack)) unit *= 10;
  if (unit > value * (1 + kSlack)) unit /= 10;
  return unit;
}

bool IsPowerOfTen(double value, double unit) { return std::abs(value - unit) <= unit * 1e-9; }

}  // namespace

void NumberField::Attach(NumberFieldView& view) {
  view_ = &view;
  ShowSetting();
}

std::optional<char16_t> NumberField::TypedCharacter(char16_t unit) {
  if (unit == u',') return u'.';
  if (!CanBePartOfNumber(unit)) return std::nullopt;
  return unit;
}

std::optional<std::u16string> NumberField::AcceptedText(std::u16string_view text) {
  std::u16string accepted;
  for (const char16_t unit : text) {
    const std::optional<char16_t> typed = TypedCharacter(unit);
    if (!typed) return std::nullopt;
    accepted += *typed;
  }
  return accepted;
}

void NumberField::TextEdited() {
  if (!showing_) edited_ = true;
}

void NumberField::Commit() {
  if (!edited_ || view_ == nullptr) return;
  if (!setting_->SetText(Utf16ToUtf8(view_->Text()))) setting_->Set(setting_->properties().minimum);
  ShowSetting();
}

void NumberField::ShowSetting() {
  edited_ = false;
  if (view_ == nullptr) return;
  showing_ = true;
  view_->ShowText(Utf8ToUtf16(setting_->Text()));
  showing_ = false;
}

void NumberField::SetValue(double value) {
  setting_->Set(value);
  ShowSetting();
}

double NumberField::Value() {
  Commit();
  return setting_->value();
}

void NumberField::Step(int steps) {
  Commit();
  const int direction = steps < 0 ? -1 : 1;
  double value = setting_->value();
  for (int step = 0; step != steps; step += direction) {
    value += direction * StepSize(value, direction, setting_->properties());
  }
  SetValue(value);
}

double StepSize(double value, int direction, const SettingProperties& properties) {
  if (properties.decimals == 0) return 1;
  const double smallest = std::pow(10.0, -properties.decimals);
  const double magnitude = std::abs(value);
  if (magnitude < smallest / 2) {
    return std::max(LeadingUnit(properties.start > 0 ? properties.start : 1.0), smallest);
  }
  double unit = LeadingUnit(magnitude);
  // Towards 0 from a power of ten the next smaller digit leads.
  const bool towards_zero = (direction < 0) == (value > 0);
  if (towards_zero && IsPowerOfTen(magnitude, unit)) unit /= 10;
  return std::max(unit, smallest);
}

}  // namespace quillmere
