#pragma once

#include <optional>
#include <string>

namespace quillmere {

// The folder separator of the platform, which every folder path below ends
// with.
#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// The program folder (progpath): where the translation file lives. Empty
// until set; while it is empty there is no translation file, so nothing is
// loaded or saved. Setting a non-empty folder adds the trailing separator.
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The folder of the running executable with a trailing separator; empty
// when the platform cannot tell.
std::string ExecutableFolder();

// Special folder number of the user's roaming application-data folder.
inline constexpr int kRoamingAppDataFolder = 26;

// The path of a special folder, or nothing when the system cannot name it.
// On Windows this asks the shell; elsewhere only kRoamingAppDataFolder is
// known, as the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config).
std::optional<std::string> GetSpecialFolder(int folder);

// The per-user folder of the options file: the roaming application-data
// folder followed by Tormel/Quillmere/, created with every missing parent
// when `create` is set (a failure is passed over). When the system cannot
// name that folder, the program folder unchanged, and nothing is created.
std::string GetProgramDir(bool create);

}  // namespace quillmere
