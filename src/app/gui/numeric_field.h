#pragma once

#include <QAbstractSpinBox>

#include "app/presenter/number_field.h"

namespace quillmere {

// A right-aligned number field with up and down arrows that draws one
// NumberField of the presenter and forwards its events there: typed keys
// (refused, or a comma made a point), the arrows and the up and down keys,
// the focus leaving, Return. Until attached it shows nothing.
class NumericField : public QAbstractSpinBox, public NumberFieldView {
  Q_OBJECT

 public:
  explicit NumericField(QWidget* parent);

  // Shows `field` and forwards to it from now on.
  void Attach(NumberField& field);

  // The presenter's operations, for the window and the tests.
  void SetValue(double value) { field_->SetValue(value); }
  double Value() { return field_->Value(); }
  void Commit() { field_->Commit(); }
  void ShowSetting() { field_->ShowSetting(); }

  std::u16string Text() const override;
  void ShowText(const std::u16string& text) override;

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
  NumberField* field_ = nullptr;
};

}  // namespace quillmere
