#pragma once

// What the parts of the main window's code share: the design sizes and the
// ids of its controls and menu items.

#include <windows.h>

namespace quillmere::win::main_window {

// Design sizes in pixels of a 96-dpi screen.
inline constexpr int kClientWidth = 577;
inline constexpr int kPanelHeight = 257;
inline constexpr int kMemoHeight = 336;
inline constexpr int kStatusHeight = 26;
inline constexpr int kClientHeight = kPanelHeight + kMemoHeight + kStatusHeight;
// The status line lies below the help text.
inline constexpr int kStatusTop = kPanelHeight + kMemoHeight;

enum ControlId : int {
  kBitBtn1 = 100,
  kBitBtn2,
  kBitBtn4,
  kAboutBtn,
  kExactBox,
  kContoursBox,
  kMemo1,
  kPreviewBtn,
  kCancelBtn,
  kResultLabel,
  kProgressLabel,
  kProgressBar,
  kLabelFirst = 120,  // Label3, Label1, Label2, Label4
  kAbweichEd = 200,   // each field's arrows take the next number
  kTestEd = 210,
  kTest2Ed = 220,
  kAbweichLinEd = 230,
  kLanguageFirst = 300,  // Deutsch1 .. Portuguese1
  kLanguageLast = 306,
  kTranslateItem = 310,
  kAboutItem = 311,
};

inline constexpr UINT_PTR kProgressTimer = 1;

}  // namespace quillmere::win::main_window
