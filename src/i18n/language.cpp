#include "i18n/language.h"

namespace quillmere {

namespace {
int current_language = kGerman;
int saved_language = kGerman;
}  // namespace

int language() { return current_language; }

void SetLanguage(int number) {
  if (IsLanguageNumber(number)) current_language = number;
}

int languagesetto() { return saved_language; }

void SetLanguageSetTo(int number) {
  if (IsLanguageNumber(number)) saved_language = number;
}

}  // namespace quillmere
