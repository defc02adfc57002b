#pragma once

namespace quillmere {

// The start-up steps of the translation subsystem, without windows.

// While the main window is created: sets the program folder to the
// executable's folder unless one was set already, loads and indexes the
// translation table (BuildTranslationIndex), reads the saved language
// (LoadOptions). German stays current.
void StartTranslations();

// On the first display: learns the catalogue (PretranslateCatalogue) and
// puts the saved language in force. Translating the windows and placing the
// check mark are left to the window code, which runs them afterwards.
void ApplySavedLanguage();

// Both steps in order, for a program without windows: from then on its
// messages come in the user's language.
void RunTranslationStartup();

}  // namespace quillmere
