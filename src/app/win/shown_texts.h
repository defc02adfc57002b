#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/window_texts.h"

namespace quillmere::win {

// The texts the program's windows show: the German texts of the shared
// window tables, passed through the lookup once per start when the saved
// language is not German, in the order the Qt program's window translator
// visits its components, so that one translation file serves both. The
// windows take their texts from here when they are built.
class ShownTexts {
 public:
  ShownTexts();

  // Passes every caption, component text and help line through the lookup
  // (TranslateText), learning those the table lacks. Run once per start:
  // a second run would take the translations for German texts.
  void Translate();

  const std::u16string& Caption(int window) const { return captions_[window]; }
  // The first text of a component; a memo's are its lines.
  const std::u16string& Text(int window, std::string_view name) const;
  const std::vector<std::u16string>& Lines(int window, std::string_view name) const;

 private:
  std::vector<std::u16string> captions_;
  std::vector<std::vector<std::vector<std::u16string>>> texts_;  // window, component, text
};

}  // namespace quillmere::win
