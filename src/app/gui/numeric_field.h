#pragma once

#include <QAbstractSpinBox>

#include "app/job_settings.h"

namespace quillmere {

// A right-aligned number field bound to one job setting. It shows the
// setting in fixed-point form with its decimals and "." whatever the desktop
// locale; its arrows and the up and down keys step the value by 1. Every
// value goes through the setting, which limits it to its range and rounds it
// to its decimals. Typed text reaches the setting when the field loses the
// focus, on Return, or through Commit; a text that is no number counts as the
// setting's minimum. Only what can form a number of the setting's kind can be
// typed or pasted: digits, and one "." where the setting has decimals (no
// setting is negative, and "," is never a decimal separator).
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

 protected:
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  JobSetting& setting_;
  bool edited_ = false;
};

}  // namespace quillmere
