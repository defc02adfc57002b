// Writes the translation file that ships with the program from its readable
// source, with the program's own writer, so that the format is the one the
// program reads.
//
// Usage: make_translation_file SOURCE.tsv OUTPUT.dat

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "i18n/translation_file.h"
#include "i18n/translation_source.h"
#include "i18n/translation_table.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("Usage: make_translation_file SOURCE.tsv OUTPUT.dat\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const quillmere::TranslationSource source = quillmere::ParseTranslationSource(text);
  for (const std::string& error : source.errors) std::fprintf(stderr, "%s:%s\n", argv[1], error.c_str());
  if (!source.errors.empty()) return 1;

  quillmere::TranslationTable table;
  quillmere::FillTranslationTable(source, table);
  if (table.RowCount() != source.rows.size() ||
      !quillmere::SaveTranslationFile(argv[2], table)) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
    return 1;
  }
  return 0;
}
