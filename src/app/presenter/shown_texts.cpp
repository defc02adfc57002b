#include "app/presenter/shown_texts.h"

#include "i18n/translations.h"

namespace quillmere {

ShownTexts::ShownTexts() {
  for (const WindowTexts& window : ProgramWindows()) {
    captions_.emplace_back(window.caption);
    auto& components = texts_.emplace_back();
    for (const ControlText& control : window.controls) {
      auto& texts = components.emplace_back();
      for (const std::u16string_view text : ControlTexts(control)) texts.emplace_back(text);
    }
  }
}

void ShownTexts::TranslateEntry(int window, int control) {
  if (control < 0) {
    captions_[window] = TranslateText(captions_[window]);
    return;
  }
  for (std::u16string& text : texts_[window][control]) text = TranslateText(text);
}

void ShownTexts::Translate() {
  VisitInTranslationOrder(ProgramWindows(),
                          [this](int window, int control) { TranslateEntry(window, control); });
}

void ShownTexts::TranslateWindow(int window) {
  VisitInTranslationOrder(ProgramWindows().subspan(window, 1),
                          [this, window](int, int control) { TranslateEntry(window, control); });
}

const std::u16string& ShownTexts::Text(int window, std::string_view name) const {
  return Lines(window, name).front();
}

const std::vector<std::u16string>& ShownTexts::Lines(int window, std::string_view name) const {
  return texts_[window][ControlIndex(window, name)];
}

}  // namespace quillmere
