#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/job_settings.h"

namespace quillmere {

// What a number field shows: its text, as the toolkit's edit control holds
// it.
class NumberFieldView {
 public:
  virtual ~NumberFieldView() = default;
  virtual std::u16string Text() const = 0;
  virtual void ShowText(const std::u16string& text) = 0;
};

// How a number field behaves, whatever draws it. It shows its job setting in
// fixed-point form with the setting's decimals and "."; every value goes
// through the setting, which limits it to its range and rounds it.
//
// The field takes what the command line's number reader takes (digits, ".",
// a sign, an exponent, blanks); a key that can be no part of a number is
// refused and leaves the text as it was. A "," is typed as ".": German
// users type the decimal comma first, and the field should mean what they
// meant. Typed text reaches the setting through that one number reader
// when the field is committed (the focus leaves it, Return, a job starts);
// a text that is still no number then sets the minimum. Without typing the
// setting is left alone, so a value the program set directly is not
// overwritten by old text.
class NumberField {
 public:
  explicit NumberField(JobSetting& setting) : setting_(&setting) {}

  // The view shows the setting at once.
  void Attach(NumberFieldView& view);

  // The character a typed `unit` puts into the field ("," becomes "."), or
  // nothing when it can be no part of a number and is refused.
  static std::optional<char16_t> TypedCharacter(char16_t unit);
  // `text` as the field may hold it (pasted, or the field's text after a
  // key): commas made points, or nothing when a character can be no part of
  // a number.
  static std::optional<std::u16string> AcceptedText(std::u16string_view text);

  // The user changed the text; it is committed later.
  void TextEdited();
  // Hands typed text to the setting and shows the result.
  void Commit();
  // Shows the setting's value, dropping typed text.
  void ShowSetting();
  void SetValue(double value);
  // The value the field stands for; typed text is committed first.
  double Value();
  // The up and down arrows and keys: typed text is committed, then the
  // value moves by StepSize.
  void Step(int steps);

  const JobSetting& setting() const { return *setting_; }

 private:
  JobSetting* setting_;
  NumberFieldView* view_ = nullptr;
  bool edited_ = false;
  bool showing_ = false;  // the field's text is being set by the program
};

// The step of the up and down arrows from `value`, relative to the scale
// of the value, so that a tolerance of 0.01 goes to 0.02 and not to 1.01:
// one unit of the value's leading digit upwards, and downwards from an
// exact power of ten one unit of the next smaller digit (0.1 goes down to
// 0.09). From 0 the step is the leading unit of the setting's start value.
// Whole-number settings step by 1; no step is smaller than the setting's
// last decimal.
double StepSize(double value, int direction, const SettingProperties& properties);

}  // namespace quillmere
