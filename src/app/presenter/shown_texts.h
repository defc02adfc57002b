#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/presenter/window_texts.h"

namespace quillmere {

// The texts the program's windows show: the German texts of the window
// tables, passed through the lookup once per start when the saved language
// is not German, in the order of the translation walk
// (VisitInTranslationOrder), so that one translation file serves both
// toolkits. The windows of both take their texts from here.
class ShownTexts {
 public:
  ShownTexts();

  // Passes every caption, component text and help line through the lookup
  // (TranslateText), learning those the table lacks. Run once per start:
  // a second run would take the translations for German texts.
  void Translate();
  // The same for one window alone, for a program that shows only it.
  void TranslateWindow(int window);

  const std::u16string& Caption(int window) const { return captions_[window]; }
  // The first text of a component; a memo's are its lines.
  const std::u16string& Text(int window, std::string_view name) const;
  const std::vector<std::u16string>& Lines(int window, std::string_view name) const;
  // The texts of the component with index `control` in its window's table.
  const std::vector<std::u16string>& TextsOf(int window, int control) const {
    return texts_[window][control];
  }

 private:
  void TranslateEntry(int window, int control);

  std::vector<std::u16string> captions_;
  std::vector<std::vector<std::vector<std::u16string>>> texts_;  // window, component, text
};

}  // namespace quillmere
