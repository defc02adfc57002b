#pragma once

namespace quillmere {

// Language numbers: columns of the translation table.
enum LanguageNumber : int {
  kGerman = 0,
  kEnglish = 1,
  kFrench = 2,
  kDutch = 3,
  kItalian = 4,
  kSpanish = 5,
  kPortuguese = 6,
};
inline constexpr int kLanguageCount = 20;  // 7 to 19 are spare columns

inline constexpr bool IsLanguageNumber(int number) {
  return number >= 0 && number < kLanguageCount;
}

// The current language: the column every lookup reads, anew each time, so a
// change takes effect with the next lookup. Numbers outside 0..19 are
// ignored.
int language();
void SetLanguage(int number);

// The language read from the options file at start, put in force by the
// first-display steps. Numbers outside 0..19 are ignored.
int languagesetto();
void SetLanguageSetTo(int number);

}  // namespace quillmere
