#pragma once

#include <windows.h>

#include "app/job_settings.h"

namespace quillmere::win {

// A right-aligned edit field with up and down arrows that shows and edits a
// job setting. It takes only digits, and one "." where the setting has
// decimals. The arrows and the up and down keys change the value by 1; typed
// text is set when the field loses the focus or Return is pressed, and a
// text that is no number sets the minimum. Every value set is limited and
// rounded by the setting, then shown again in its format.
class NumericField {
 public:
  explicit NumericField(JobSetting& setting) : setting_(setting) {}

  // `id` is the edit field's; the arrows take id + 1.
  void Create(HWND parent, int id);
  void Place(int left, int top, int width, int height);
  void Enable(bool enabled);

  // Sets typed text, if any.
  void Commit();
  // Shows the setting's value, as the program set it.
  void ShowSetting();
  void Step(int steps);

  HWND edit() const { return edit_; }
  HWND arrows() const { return arrows_; }

 private:
  static LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                        UINT_PTR id, DWORD_PTR field);
  bool Accepts(wchar_t typed) const;

  JobSetting& setting_;
  HWND edit_ = nullptr;
  HWND arrows_ = nullptr;
};

}  // namespace quillmere::win
