#pragma once

#include <QAbstractSpinBox>

#include "app/job_settings.h"

namespace quillmere {

// A right-aligned number field bound to one job setting. It shows the
// setting in fixed-point form with its decimals and "." whatever the desktop
// locale; its arrows and the up and down keys step the value by 1. Every
// value goes through the setting, which limits it to its range and rounds it
// to its decimals. Typed text reaches the setting when the field loses the
// focus, on Return, or through Commit, read by the same number reader as the
// command line; a text that is still no number then counts as the setting's
// minimum.
//
// Every character that number reader takes can be typed or pasted (digits,
// ".", a sign, an exponent, blanks); any other key is refused and leaves the
// text as it was. A "," becomes "." as it is typed: German users type the
// decimal comma first, and the field should mean what they meant.
class NumericField : public QAbstractSpinBox {
  Q_OBJECT

 public:
  NumericField(JobSetting& setting, QWidget* parent);

  // Sets the value by the setting's rules and shows the result.
  void SetValue(double value);

  // The value the field stands for; typed text is committed first.
  double Value();

  // Hands text typed since the value was last shown to the setting and shows
  // the result. Without such text the setting is left alone, so a value the
  // program put into the setting directly is not overwritten by old text.
  void Commit();

  // Shows the setting's current value, dropping any typed text.
  void ShowSetting();

  void stepBy(int steps) override;
  void clear() override;
  QValidator::State validate(QString& input, int& position) const override;

  // Wide enough for the longest text of the setting's range in the field's
  // own font, so it fits at every scale and font size.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  JobSetting& setting_;
  bool edited_ = false;
};

}  // namespace quillmere
