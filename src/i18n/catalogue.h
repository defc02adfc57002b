#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// Numbers of the catalogue texts the program shows.
enum CatalogueNumber : int {
  kTextRestart = 1,          // "Bitte schließen Sie das Program und starten Sie es neu."
  kTextTranslate = 2,        // "Übersetzen"
  kTextCannotOpen = 6,       // "Folgende DXF Datei konnte nicht geöffnet werden:"
  kTextStarting = 7,         // learnt at start only
  kTextFinished = 9,         // learnt at start only
  kTextCannotCreate = 10,    // "Folgende DXF Datei konnte nicht angelegt werden:"
  kTextCannotReopen = 11,    // same German text as 6
  kTextNoPolylines = 15,     // the explanation when a file has no polylines
  kTextNoPolylinesTitle = 16 // "Keine Polylines"
};

// The German text of catalogue entry `n`; empty outside 1..16.
std::u16string_view CatalogueGerman(int n);

// Catalogue text `n` in the current language (passed through TranslateText,
// so a missing text is learnt); empty outside 1..16, where nothing is looked
// up.
std::u16string CatalogueText(int n);

// Passes catalogue texts 1 to 16 through the lookup, in this order, so that
// every non-empty one is in the translation table.
void PretranslateCatalogue();

// The text of a file message: catalogue text `n`, one blank, the file name.
std::u16string FileMessage(int n, std::string_view file_name);

// The messages the sixteen numbered texts did not foresee, each shown like a
// file message: its text, one blank, the file name.
enum class FurtherText {
  kEmptyInput,       // "Folgende Datei ist leer und keine DXF Datei:"
  kBinaryDxf,        // a binary DXF drawing
  kNotTextDxf,       // "Folgende Datei ist keine DXF Textdatei:"
  kCannotReadInput,  // a read error part way through
  kInputChanged,     // the input changed between reading and writing
  kOutOfMemory,      // memory ran out, or a size limit was reached
};
inline constexpr int kFurtherTextCount = 6;

// The German text of `text`, and the text in the current language (passed
// through TranslateText, so a missing text is learnt).
std::u16string_view FurtherGerman(FurtherText text);
std::u16string FurtherCatalogueText(FurtherText text);

// The further text `text` in the current language, one blank, the file name.
std::u16string FileMessage(FurtherText text, std::string_view file_name);

}  // namespace quillmere
