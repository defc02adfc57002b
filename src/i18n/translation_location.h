#pragma once

#include <string>

namespace quillmere {

// Where the translation table is read from at start and saved to.
//
// The table beside the program comes with it. While the program folder is
// writable (a build folder, a portable copy) that table is the only one. An
// installed program's folder is not writable: the table the user changes,
// by learning texts or in the editor, is then saved to the per-user folder
// that holds the options file, and read from there first at the next start,
// so learning and the editor keep working. Both are empty while the program
// folder is not set: there is no translation file then.
std::string TranslationFileToRead();
std::string TranslationFileToSave();

// The per-user translation file; empty when the system names no per-user
// folder. Its folder is created, with every parent, when `create` is set.
std::string UserTranslationFilePath(bool create);

}  // namespace quillmere
