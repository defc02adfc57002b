#pragma once

#include <windows.h>

#include "app/presenter/number_field.h"

namespace quillmere::win {

// A right-aligned edit field with up and down arrows that draws one
// NumberField of the presenter and forwards its events there: typed keys
// (refused with a beep, or a comma typed as a point), pasted text, the
// arrows and the up and down keys, the focus leaving, Return. The window
// forwards the edit field's EN_CHANGE (TextEdited) and the arrows'
// UDN_DELTAPOS (Step).
class NumericField : public NumberFieldView {
 public:
  explicit NumericField(NumberField& field) : field_(field) {}

  // `id` is the edit field's; the arrows take id + 1.
  void Create(HWND parent, int id);
  void Place(int left, int top, int width, int height);
  void Enable(bool enabled);

  NumberField& field() { return field_; }
  HWND edit() const { return edit_; }
  HWND arrows() const { return arrows_; }

  std::u16string Text() const override;
  void ShowText(const std::u16string& text) override;

 private:
  static LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                        UINT_PTR id, DWORD_PTR field);
  LRESULT Typed(WPARAM w, LPARAM l);
  void Paste();

  NumberField& field_;
  HWND edit_ = nullptr;
  HWND arrows_ = nullptr;
};

}  // namespace quillmere::win
