// The Windows branch of the folders: the per-user folder is the roaming
// application-data folder the shell names, followed by Tormel\Quillmere\,
// and the program folder is the executable's. Built for Windows only (run
// under wine by scripts/windows).

#ifdef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/user_folders.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "i18n/translations.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::ReadFile;
using testing::TempDir;

TEST(WindowsFolders, PerUserFolderIsTheRoamingApplicationDataFolderAndIsCreatedOnRequest) {
  const std::optional<std::string> roaming = GetSpecialFolder(kRoamingAppDataFolder);
  ASSERT_TRUE(roaming.has_value());
  // Windows (and wine) name the same folder in the environment.
  const char* const appdata = std::getenv("APPDATA");
  ASSERT_NE(appdata, nullptr);
  EXPECT_EQ(*roaming, appdata);

  const std::string folder = *roaming + "\\Tormel\\Quillmere\\";
  std::error_code ignored;
  std::filesystem::remove_all(*roaming + "\\Tormel", ignored);
  EXPECT_EQ(GetProgramDir(false), folder);
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(GetProgramDir(true), folder);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(WindowsFolders, AFolderNumberTheShellDoesNotKnowIsNoFolder) {
  constexpr int kNoSuchFolder = 0x7E;
  EXPECT_EQ(GetSpecialFolder(kNoSuchFolder), std::nullopt);
}

TEST(WindowsFolders, TheLanguageIsSavedInThePerUserFolderAndReadBack) {
  const TempDir program;
  ResetTranslations(program.path().string());
  SetLanguage(kDutch);
  SaveOptions();
  EXPECT_EQ(ReadFile(GetProgramDir(false) + kOptionsFileName), std::string("\x03\0\0\0", 4));
  LoadOptions();
  EXPECT_EQ(languagesetto(), kDutch);
  std::filesystem::remove(GetProgramDir(false) + kOptionsFileName);
  ResetTranslations("");
}

TEST(WindowsFolders, TheProgramFolderIsTheExecutablesWithABackslash) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(std::filesystem::exists(folder + "test_i18n.exe"));
}

}  // namespace
}  // namespace quillmere

#endif
