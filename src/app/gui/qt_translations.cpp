#include "app/gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "i18n/language.h"

namespace quillmere {

QString QtTranslationName(int language_number) {
  switch (language_number) {
    case kGerman:
      return QStringLiteral("qt_de");
    case kFrench:
      return QStringLiteral("qt_fr");
    case kDutch:
      return QStringLiteral("qt_nl");
    case kItalian:
      return QStringLiteral("qt_it");
    case kSpanish:
      return QStringLiteral("qt_es");
    case kPortuguese:
      // The program's own Portuguese is written as in Brazil.
      return QStringLiteral("qt_pt_BR");
    default:
      return {};
  }
}

QtTranslations::~QtTranslations() {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
}

bool QtTranslations::Use(int language_number) {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
  installed_ = false;
  const QString name = QtTranslationName(language_number);
  // The file names the Qt modules' files it draws on (qtbase_de and so on),
  // which load with it.
  if (name.isEmpty() ||
      !translator_.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  installed_ = QCoreApplication::installTranslator(&translator_);
  return installed_;
}

}  // namespace quillmere
