#pragma once

#include <QTranslator>

namespace quillmere {

// Qt's own texts in the program's language: the buttons and columns of the
// file dialogs, the overwrite question, the buttons of the message boxes,
// the context menus of text fields. They come from Qt's translation files
// (Debian's qt6-translations-l10n); a language without one, and English,
// Qt's own, keep Qt's English texts.
//
// While an object of this class lives, the translation it loaded last is in
// force for the whole application.
class QtTranslations {
 public:
  QtTranslations() = default;
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // Puts Qt's translation for `language_number` in force in place of the
  // previous one; false when there is none for it.
  bool Use(int language_number);

 private:
  QTranslator translator_;
  bool installed_ = false;
};

// The name of Qt's translation file for a language, without its folder and
// ".qm"; empty for English and the spare languages.
QString QtTranslationName(int language_number);

}  // namespace quillmere
