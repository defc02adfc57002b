#pragma once

// The German texts of the windows come from the toolkit-free tables that
// the Windows program builds its windows from too, so that both learn the
// same texts in the same order.

#include <string_view>

#include <QString>

#include "app/window_texts.h"

namespace quillmere {

inline QString FromTable(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The German text of component `name` of window `window` (WindowNumber).
inline QString TableText(int window, std::string_view name) {
  return FromTable(ControlGerman(window, name));
}

inline QString TableCaption(int window) { return FromTable(ProgramWindows()[window].caption); }

}  // namespace quillmere
