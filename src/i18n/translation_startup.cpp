#include "i18n/translation_startup.h"

#include "i18n/catalogue.h"
#include "support/user_folders.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "i18n/translations.h"

namespace quillmere {

void StartTranslations() {
  if (ProgramFolder().empty()) SetProgramFolder(ExecutableFolder());
  BuildTranslationIndex();
  LoadOptions();
}

void ApplySavedLanguage() {
  PretranslateCatalogue();
  SetLanguage(languagesetto());
}

void RunTranslationStartup() {
  StartTranslations();
  ApplySavedLanguage();
}

}  // namespace quillmere
