// The translation table of an installed program, whose folder is not
// writable: learning and the editor save to the per-user folder, and the
// next start reads that table before the one beside the program.

#ifndef _WIN32
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <functional>

#include "i18n/language.h"
#include "i18n/translation_location.h"
#include "i18n/translation_fixture.h"

namespace quillmere {
namespace {

using testing::ReadFile;
using testing::TableFileBytes;
using testing::WriteFile;

namespace fs = std::filesystem;

#ifndef _WIN32
// Runs `steps` in a child process that cannot write the program folder and
// returns its exit status. Root writes everywhere, so a root child first
// becomes the user "nobody".
int RunAsUserWithoutWriteAccess(const std::function<int()>& steps) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0) {
      const passwd* const nobody = ::getpwnam("nobody");
      const uid_t uid = nobody != nullptr ? nobody->pw_uid : 65534;
      const gid_t gid = nobody != nullptr ? nobody->pw_gid : 65534;
      if (::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(90);
    }
    std::fflush(nullptr);
    ::_exit(steps());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

class UserTranslationFileTest : public testing::TranslationFixture {
 protected:
  UserTranslationFileTest() {
    WriteFile(TableFile(), TableFileBytes(20, {{u"Mitgeliefert", u"shipped"}}));
    shipped_ = ReadFile(TableFile());
  }
  ~UserTranslationFileTest() override {
    std::error_code ignored;
    fs::permissions(program.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }

  // The installed case: the program folder is read-only, the per-user
  // configuration folder open to the child's user.
  void InstallReadOnly() {
    fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(user_config.path(), fs::perms::all);
  }

  std::string UserTableFile() const {
    return (user_config.path() / "Tormel" / "Quillmere" / kTranslationFileName).string();
  }

  std::string shipped_;
};

// A folder that is not writable is made with permission bits and another
// user; on Windows a folder without write access needs access lists that
// wine does not enforce.
#ifndef _WIN32
TEST_F(UserTranslationFileTest, ReadOnlyProgramFolderLearnsIntoThePerUserFolderAndReadsItFirst) {
  InstallReadOnly();
  const int status = RunAsUserWithoutWriteAccess([this] {
    BuildTranslationIndex();
    SetLanguage(kEnglish);
    if (TranslateText(u"Mitgeliefert") != u"shipped") return 1;
    TranslateText(u"Gelernt");  // learnt and saved
    // An English text typed in the editor, saved like the editor does.
    if (!ReplaceTranslationCell(1, kEnglish, u"learnt")) return 2;
    SaveTranslations();

    ResetTranslations(program.path().string());
    BuildTranslationIndex();
    SetLanguage(kEnglish);
    if (TranslateText(u"Gelernt") != u"learnt") return 3;
    if (TranslateText(u"Mitgeliefert") != u"shipped") return 4;
    return 0;
  });
  EXPECT_EQ(status, 0) << "1: shipped table not read, 2: no learnt row, "
                          "3: per-user table not read at the next start, 4: shipped row lost";
  EXPECT_EQ(ReadFile(TableFile()), shipped_);
  EXPECT_EQ(ReadFile(UserTableFile()),
            TableFileBytes(20, {{u"Mitgeliefert", u"shipped"}, {u"Gelernt", u"learnt"}}));
}
#endif

TEST_F(UserTranslationFileTest, WritableProgramFolderKeepsItsOwnTable) {
  fs::create_directories(fs::path(UserTableFile()).parent_path());
  WriteFile(UserTableFile(), TableFileBytes(20, {{u"Mitgeliefert", u"from the user folder"}}));
  const std::string user_table = ReadFile(UserTableFile());
  BuildTranslationIndex();
  SetLanguage(kEnglish);
  EXPECT_EQ(TranslateText(u"Mitgeliefert"), u"shipped");
  TranslateText(u"Gelernt");
  EXPECT_EQ(ReadFile(TableFile()), TableFileBytes(20, {{u"Mitgeliefert", u"shipped"}, {u"Gelernt"}}));
  EXPECT_EQ(ReadFile(UserTableFile()), user_table);
}

TEST_F(UserTranslationFileTest, WithoutAProgramFolderThereIsNoTranslationFile) {
  ResetTranslations("");
  EXPECT_EQ(TranslationFileToRead(), "");
  EXPECT_EQ(TranslationFileToSave(), "");
}

}  // namespace
}  // namespace quillmere
