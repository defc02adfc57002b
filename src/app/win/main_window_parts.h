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

enum ControlId : int {
  kBitBtn1 = 100,  // the job buttons, in the order of kJobButtons
  kAboutBtn = 103,
  kMemo1,
  kPreviewBtn,
  kCancelBtn,
  kResultLabel,
  kProgressLabel,
  kProgressBar,
  kLabelFirst = 120,      // the fields' labels, in the order of the fields
  kFieldFirst = 200,      // each field's arrows take the next number
  kFieldIdStep = 10,
  kModeBoxFirst = 400,    // in the order of the mode boxes
  kLanguageFirst = 300,   // Deutsch1 .. Portuguese1
  kLanguageLast = 306,
  kTranslateItem = 310,
  kAboutItem = 311,
};

inline constexpr UINT_PTR kProgressTimer = 1;

}  // namespace quillmere::win::main_window
