#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>
#include <string_view>

namespace quillmere {

// What a component of a window is, as far as its texts go. The window
// translators of both toolkits pass a component's texts through the lookup
// by its kind: a memo line by line, a file dialog its whole filter, the
// others their caption; panels, status bars, grids and the drawing area
// have no German text of their own.
enum class ControlKind {
  kPanel,
  kButton,
  kLabel,
  kCheckBox,
  kNumericField,
  kMemo,
  kMenuBar,
  kMenu,
  kMenuItem,
  kFileDialog,
  kEdit,
  kGrid,
  kStatusBar,
  kCanvas,
};

// One component of a window: its object name, its kind and its German
// text (empty for none; a memo's lines are the help lines).
struct ControlText {
  std::string_view name;
  ControlKind kind;
  std::u16string_view text;
};

// A window: its object name, its German caption and its components in the
// order of its definition, which is the order the window translator walks
// them in reverse.
struct WindowTexts {
  std::string_view name;
  std::u16string_view caption;
  std::span<const ControlText> controls;
};

// The program's windows in the order of their creation: the main window,
// the About box, the translation editor, the preview.
enum WindowNumber : int { kMainWindow = 0, kAboutWindow, kTranslateWindow, kPreviewWindow };
std::span<const WindowTexts> ProgramWindows();

// The component of `window` with object name `name`, and its index; the
// program's own tables always hold the names it asks for.
int ControlIndex(int window, std::string_view name);
std::u16string_view ControlGerman(int window, std::string_view name);

// The help text of the main window, one entry per line; two lines end in a
// blank.
std::span<const std::u16string_view> HelpLines();

// The filter of the open and save dialogs: description and pattern joined
// by "|", one text for the translation.
inline constexpr std::u16string_view kDxfFilter = u"DXF-Dateien (*.dxf)|*.dxf";
inline constexpr std::u16string_view kDxfExtension = u"dxf";

// The About box's copyright line keeps "XXXX" until the box is shown; then
// every "XXXX" becomes the current year.
std::u16string WithYear(std::u16string_view text, int year);
std::u16string WithCurrentYear(std::u16string_view text);

// The About box's design in both programs, in pixels of a 96-dpi screen:
// its inner size, and the place of each component of its table, in the
// table's order. Labels without word wrap grow with their texts.
struct DesignPlace {
  int left, top, width, height;
};
inline constexpr int kAboutWidth = 298;
inline constexpr int kAboutHeight = 178;
inline constexpr DesignPlace kAboutPlaces[] = {{16, 16, 64, 64},   {96, 16, 190, 22},
                                               {96, 44, 190, 14},  {96, 64, 190, 14},
                                               {16, 96, 266, 32},  {111, 140, 75, 25}};

// The question of the translation editor's search after each hit.
inline constexpr std::u16string_view kSearchOnQuestion = u"Weitersuchen?";

// The texts of one component in the order the translator passes them
// through the lookup: every help line of a memo, the caption of the others.
std::vector<std::u16string_view> ControlTexts(const ControlText& control);

// Visits the windows' texts in the order the window translator learns
// them, starting from the application, which owns the windows: first the
// windows' captions from the last window to the first (`control` is -1),
// then the components of each window, the last window first and within a
// window its last component first.
void VisitInTranslationOrder(std::span<const WindowTexts> windows,
                             const std::function<void(int window, int control)>& visit);

}  // namespace quillmere
