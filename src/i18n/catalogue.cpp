#include "i18n/catalogue.h"

#include <array>

#include "i18n/translations.h"
#include "support/utf.h"

namespace quillmere {

namespace {
constexpr std::u16string_view kCannotOpen = u"Folgende DXF Datei konnte nicht geöffnet werden:";

constexpr std::array<std::u16string_view, 17> kGermanTexts = {
    u"",
    u"Bitte schließen Sie das Program und starten Sie es neu.",
    u"Übersetzen",
    u"",
    u"",
    u"",
    kCannotOpen,
    u"Beginne Konvertierung... Bitte warten...",
    u"",
    u"Konvertierung beendet:",
    u"Folgende DXF Datei konnte nicht angelegt werden:",
    kCannotOpen,
    u"",
    u"",
    u"",
    u"Es konnte keine Polyline gefunden werden. Wenn es noch einzelen Linien sind führen Sie "
    u"bitte zunächst die Konvertierung in Polylinien aus.",
    u"Keine Polylines",
};
}  // namespace

std::u16string_view CatalogueGerman(int n) {
  if (n < 1 || n > 16) return {};
  return kGermanTexts[static_cast<std::size_t>(n)];
}

std::u16string CatalogueText(int n) {
  if (n < 1 || n > 16) return {};
  return TranslateText(CatalogueGerman(n));
}

void PretranslateCatalogue() {
  for (int n = 1; n <= 16; ++n) CatalogueText(n);
}

namespace {

constexpr std::array<std::u16string_view, 6> kFurtherGermanTexts = {
    u"Folgende Datei ist leer und keine DXF Datei:",
    u"Folgende Datei ist eine binäre DXF Datei, bitte als DXF Textdatei speichern:",
    u"Folgende Datei ist keine DXF Textdatei:",
    u"Folgende DXF Datei konnte nicht vollständig gelesen werden:",
    u"Folgende DXF Datei wurde während der Konvertierung verändert, die Ausgabe bleibt "
    u"unverändert:",
    u"Nicht genug Arbeitsspeicher für folgende DXF Datei, die Ausgabe bleibt unverändert:",
};

std::u16string WithFileName(std::u16string text, std::string_view file_name) {
  text.push_back(u' ');
  text.append(Utf8ToUtf16(file_name));
  return text;
}

}  // namespace

std::u16string FileMessage(int n, std::string_view file_name) {
  return WithFileName(CatalogueText(n), file_name);
}

std::u16string_view FurtherGerman(FurtherText text) {
  return kFurtherGermanTexts[static_cast<std::size_t>(text)];
}

std::u16string FurtherCatalogueText(FurtherText text) {
  return TranslateText(FurtherGerman(text));
}

std::u16string FileMessage(FurtherText text, std::string_view file_name) {
  return WithFileName(FurtherCatalogueText(text), file_name);
}

}  // namespace quillmere
