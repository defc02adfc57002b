#include "support/user_folders.h"

#include "platform/file_system.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>

#include "support/utf.h"
#endif

namespace quillmere {

namespace {

std::string program_folder;

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != kFolderSeparator) folder.push_back(kFolderSeparator);
  return folder;
}

#ifdef _WIN32
std::string WideToUtf8(const wchar_t* text) {
  std::u16string units;
  for (; *text != L'\0'; ++text) units.push_back(static_cast<char16_t>(*text));
  return Utf16ToUtf8(units);
}
#endif

}  // namespace

const std::string& ProgramFolder() { return program_folder; }

void SetProgramFolder(const std::string& folder) { program_folder = WithSeparator(folder); }

std::string ExecutableFolder() {
#ifdef _WIN32
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string folder = WideToUtf8(path);
  const std::size_t separator = folder.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : folder.substr(0, separator + 1);
#else
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !executable.has_parent_path()) return {};
  return WithSeparator(executable.parent_path().string());
#endif
}

std::optional<std::string> GetSpecialFolder(int folder) {
#ifdef _WIN32
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, folder, &items))) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const bool named = ::SHGetPathFromIDListW(items, path) != FALSE;
  ::CoTaskMemFree(items);
  // Success is that of the first call; a failed second call gives an empty path.
  return named ? WideToUtf8(path) : std::string();
#else
  if (folder != kRoamingAppDataFolder) return std::nullopt;
  // Relative values are to be ignored, as the XDG base directory rules say.
  const char* const config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') return std::string(config_home);
  const char* const home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return WithSeparator(home) + ".config";
  return std::nullopt;
#endif
}

std::string GetProgramDir(bool create) {
  const std::optional<std::string> application_data = GetSpecialFolder(kRoamingAppDataFolder);
  if (!application_data) return ProgramFolder();
  std::string folder = WithSeparator(*application_data);
  folder += "Tormel";
  folder += kFolderSeparator;
  folder += "Quillmere";
  folder += kFolderSeparator;
  if (create) {
    std::error_code ignored;
    std::filesystem::create_directories(PathFromUtf8(folder), ignored);
  }
  return folder;
}

}  // namespace quillmere
