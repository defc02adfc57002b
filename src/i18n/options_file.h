#pragma once

namespace quillmere {

// The options file "options.dat" in the per-user folder (GetProgramDir)
// holds the chosen language: exactly four bytes, a 32-bit signed
// little-endian language number.
inline constexpr char kOptionsFileName[] = "options.dat";

// Makes German current and reads the saved language into languagesetto().
// No file, a file shorter than four bytes or a number outside 0..19 leave it
// German. Nothing is created. Placing the menu check mark is left to the
// window, which reads languagesetto() afterwards.
void LoadOptions();

// Writes the current language, creating the per-user folder with its
// parents first. A folder or file that cannot be created or written is
// passed over silently; the previous file then stays as it was.
void SaveOptions();

}  // namespace quillmere
