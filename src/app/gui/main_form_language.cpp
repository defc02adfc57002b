#include "app/gui/main_form.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"

// The language menu of the main window.

namespace quillmere {

void TMainForm::ShowRestartMessage() {
  messages_->ShowInformation(CatalogueText(kTextTranslate), CatalogueText(kTextRestart));
}

QAction& TMainForm::LanguageItem(int language_number) {
  QAction* const items[] = {&Deutsch1, &English1, &Franais1,   &Nederlands1,
                            &Italian1, &Spanish1, &Portuguese1};
  if (language_number < kGerman || language_number > kPortuguese) return Deutsch1;
  return *items[language_number];
}

// The spare columns 7 to 19 have no item; Deutsch stays marked for them.
void TMainForm::PlaceLanguageCheckMark() {
  dontchlang = true;
  LanguageItem(languagesetto()).setChecked(true);
  dontchlang = false;
}

// The choice applies to messages and Qt's own texts at once, the restart
// message included; the windows keep their texts until the next start.
void TMainForm::ChooseLanguage(QAction& item, int language_number) {
  if (dontchlang) return;
  item.setChecked(true);
  SetLanguage(language_number);
  qt_translations_.Use(language_number);
  ShowRestartMessage();
}

void TMainForm::Deutsch1Click() { ChooseLanguage(Deutsch1, kGerman); }
void TMainForm::English1Click() { ChooseLanguage(English1, kEnglish); }
void TMainForm::Franais1Click() { ChooseLanguage(Franais1, kFrench); }
void TMainForm::Nederlands1Click() { ChooseLanguage(Nederlands1, kDutch); }
void TMainForm::Italian1Click() { ChooseLanguage(Italian1, kItalian); }
void TMainForm::Spanish1Click() { ChooseLanguage(Spanish1, kSpanish); }
void TMainForm::Portuguese1Click() { ChooseLanguage(Portuguese1, kPortuguese); }

}  // namespace quillmere
