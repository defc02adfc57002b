#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/job_settings.h"

namespace quillmere {

// The controls of the main window as both toolkits build them.

// The job buttons and the job each starts.
struct JobButtonEntry {
  std::string_view name;
  JobMode mode;
};

inline constexpr JobButtonEntry kJobButtons[] = {{"BitBtn1", JobMode::kFindArcs},
                                                 {"BitBtn2", JobMode::kChainLines},
                                                 {"BitBtn4", JobMode::kJoinPolylines}};
inline constexpr int kJobButtonCount = static_cast<int>(std::size(kJobButtons));

// The language menu's items: item k chooses language k, Deutsch to
// Portuguese.
inline constexpr std::string_view kLanguageItems[] = {"Deutsch1", "English1", "Franais1", "Nederlands1",
                                                      "Italian1", "Spanish1", "Portuguese1"};

// Each number field sits below its label and shows one setting; each mode
// box sits beside a number field and switches one mode.

struct NumberFieldEntry {
  std::string_view name;   // the field's component name
  std::string_view label;  // the label above it, whose letter reaches it
  JobSetting JobSettings::*setting;
};

inline constexpr NumberFieldEntry kNumberFields[] = {
    {"AbweichEd", "Label3", &JobSettings::deviation},
    {"TestEd", "Label1", &JobSettings::arc_tests},
    {"Test2Ed", "Label2", &JobSettings::line_tests},
    {"AbweichLinEd", "Label4", &JobSettings::join_tolerance},
};
inline constexpr int kNumberFieldCount = static_cast<int>(std::size(kNumberFields));

// A mode box: one entry here adds a box to both programs, its text to the
// translation table's walk and its place in the tab order.
struct ModeBoxEntry {
  std::string_view name;   // the box's component name
  std::u16string_view text;  // its German caption
  std::string_view beside;   // the number field it sits to the right of
  bool JobSettings::*mode;
  // The number fields whose settings the ticked mode does not read; they
  // are disabled while it is ticked.
  std::span<const std::string_view> unused_fields;
};

inline constexpr std::string_view kFieldsUnusedByExactDistances[] = {"TestEd", "Test2Ed"};

inline constexpr ModeBoxEntry kModeBoxes[] = {
    {"ExactBox", u"Abstände genau messen", "AbweichEd", &JobSettings::exact_distances,
     kFieldsUnusedByExactDistances},
    {"ContoursBox", u"Konturen bilden", "AbweichLinEd", &JobSettings::contours, {}},
    {"CurvesBox", u"Kurven in Bögen umwandeln", "AbweichEd", &JobSettings::curves, {}},
};
inline constexpr int kModeBoxCount = static_cast<int>(std::size(kModeBoxes));

// The index of the number field `name` in kNumberFields; -1 for none.
int NumberFieldIndex(std::string_view name);

// The mode boxes beside number field `field`, left to right.
std::vector<int> ModeBoxesBeside(int field);

// The main window's controls that take the focus, in reading order: the job
// buttons row by row, each number field followed by its mode boxes, the
// help text, then the status line's buttons. Tab follows it, Shift+Tab goes
// back along it.
std::vector<std::string_view> MainWindowTabOrder();

}  // namespace quillmere
