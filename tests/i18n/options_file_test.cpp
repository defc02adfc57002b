#include "i18n/options_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "i18n/catalogue.h"
#include "support/user_folders.h"
#include "i18n/language.h"
#include "i18n/translation_startup.h"
#include "i18n/translations.h"
#include "translation_fixture.h"

namespace quillmere {
namespace {

using testing::Int32Bytes;
using testing::ReadFile;
using testing::ScopedEnvironment;
using testing::TableFileBytes;
using testing::TempDir;
using testing::WriteFile;

class OptionsFileTest : public testing::TranslationFixture {
 protected:
  std::string UserFolder() const { return user_config.path().string() + "/Tormel/Quillmere/"; }
  std::string OptionsFile() const { return UserFolder() + kOptionsFileName; }
  void WriteOptions(const std::string& bytes) {
    std::filesystem::create_directories(UserFolder());
    WriteFile(OptionsFile(), bytes);
  }
};

TEST_F(OptionsFileTest, PerUserFolderFollowsTheConfigurationFolder) {
  EXPECT_EQ(GetSpecialFolder(kRoamingAppDataFolder), user_config.path().string());
  EXPECT_EQ(GetSpecialFolder(5), std::nullopt);
  EXPECT_EQ(GetProgramDir(false), UserFolder());
  EXPECT_FALSE(std::filesystem::exists(UserFolder()));
  EXPECT_EQ(GetProgramDir(true), UserFolder());
  EXPECT_TRUE(std::filesystem::is_directory(UserFolder()));
}

TEST_F(OptionsFileTest, WithoutXdgConfigHomeTheHomeConfigFolderIsUsed) {
  TempDir home;
  const ScopedEnvironment home_variable("HOME", home.path().string());
  for (const std::optional<std::string>& value : {std::optional<std::string>(),
                                                 std::optional<std::string>("relative/config"),
                                                 std::optional<std::string>("")}) {
    const ScopedEnvironment config("XDG_CONFIG_HOME", value);
    EXPECT_EQ(GetProgramDir(false), home.path().string() + "/.config/Tormel/Quillmere/");
  }
}

TEST_F(OptionsFileTest, WithoutAnyUserFolderTheProgramFolderIsUsedAsItIs) {
  const ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
  const ScopedEnvironment home("HOME", std::nullopt);
  EXPECT_EQ(GetSpecialFolder(kRoamingAppDataFolder), std::nullopt);
  EXPECT_EQ(GetProgramDir(true), program.path().string() + "/");
  SetLanguage(kDutch);
  SaveOptions();
  EXPECT_EQ(ReadFile(program.File(kOptionsFileName)), Int32Bytes(3));
  LoadOptions();
  EXPECT_EQ(languagesetto(), kDutch);

  // With no folder at all the options have no place: nothing is written.
  TempDir working;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(working.path());
  ResetTranslations("");
  SetLanguage(kEnglish);
  SaveOptions();
  LoadOptions();
  std::filesystem::current_path(previous);
  EXPECT_TRUE(std::filesystem::is_empty(working.path()));
  EXPECT_EQ(languagesetto(), kGerman);
}

TEST_F(OptionsFileTest, FirstStartWithoutFileIsGermanAndCreatesNothing) {
  SetLanguage(kEnglish);
  SetLanguageSetTo(kFrench);
  LoadOptions();
  EXPECT_EQ(language(), kGerman);
  EXPECT_EQ(languagesetto(), kGerman);
  EXPECT_FALSE(std::filesystem::exists(user_config.path() / "Tormel"));

  SaveOptions();
  EXPECT_EQ(ReadFile(OptionsFile()), std::string(4, '\0'));
}

TEST_F(OptionsFileTest, SavedLanguageIsReadBackButNotPutInForce) {
  SetLanguage(kDutch);
  SetLanguage(kEnglish);
  SaveOptions();
  EXPECT_EQ(ReadFile(OptionsFile()), std::string("\x01\x00\x00\x00", 4));
  LoadOptions();
  EXPECT_EQ(languagesetto(), kEnglish);
  EXPECT_EQ(language(), kGerman);
}

TEST_F(OptionsFileTest, ShortFilesAndNumbersOutsideTheColumnsLeaveGerman) {
  const std::pair<std::string, int> cases[] = {
      {"", kGerman},
      {std::string("\x03\x00\x00", 3), kGerman},
      {Int32Bytes(20), kGerman},
      {Int32Bytes(-1), kGerman},
      {Int32Bytes(0x7FFFFFFF), kGerman},
      {Int32Bytes(0x100 | kDutch), kGerman},
      {Int32Bytes(19), 19},
      {Int32Bytes(kPortuguese), kPortuguese},
      {Int32Bytes(kItalian) + "extra", kItalian},
  };
  for (const auto& [bytes, expected] : cases) {
    WriteOptions(bytes);
    SetLanguageSetTo(kSpanish);
    LoadOptions();
    EXPECT_EQ(languagesetto(), expected) << bytes.size();
    EXPECT_EQ(language(), kGerman);
  }
}

TEST_F(OptionsFileTest, SaveReplacesTheWholeFile) {
  WriteOptions("longer than four bytes");
  SetLanguage(kSpanish);
  SaveOptions();
  EXPECT_EQ(ReadFile(OptionsFile()), Int32Bytes(kSpanish));
}

TEST_F(OptionsFileTest, StartUpLoadsLearnsAndPutsTheSavedLanguageInForce) {
  WriteFile(TableFile(),
            TableFileBytes(20, {{u"Keine Polylines", u"No polylines"}, {u"Eigener Text"}}));
  WriteOptions(Int32Bytes(kEnglish));

  StartTranslations();
  EXPECT_EQ(language(), kGerman);
  EXPECT_EQ(languagesetto(), kEnglish);
  EXPECT_EQ(Table().RowCount(), 2u);
  EXPECT_EQ(ProgramFolder(), program.path().string() + "/");

  ApplySavedLanguage();
  EXPECT_EQ(language(), kEnglish);
  EXPECT_EQ(CatalogueText(kTextNoPolylinesTitle), u"No polylines");
  EXPECT_EQ(CatalogueText(kTextCannotOpen), u"Folgende DXF Datei konnte nicht geöffnet werden:");
  // The two rows of the file, then the seven catalogue texts it lacked.
  ASSERT_EQ(Table().RowCount(), 9u);
  EXPECT_EQ(Table().Cell(2, 0), CatalogueGerman(1));
  EXPECT_EQ(Table().Cell(8, 0), CatalogueGerman(15));
  EXPECT_EQ(ReadFile(TableFile()).substr(4, 4), Int32Bytes(9));
}

TEST_F(OptionsFileTest, OneCallRunsTheWholeStartUp) {
  WriteOptions(Int32Bytes(kFrench));
  RunTranslationStartup();
  EXPECT_EQ(language(), kFrench);
  EXPECT_EQ(Table().RowCount(), 8u);
  EXPECT_TRUE(std::filesystem::exists(TableFile()));
}

TEST_F(OptionsFileTest, StartUpFindsTheProgramFolderBesideTheExecutable) {
  ResetTranslations("");
  const std::string executable_folder = ExecutableFolder();
  ASSERT_FALSE(executable_folder.empty());
  EXPECT_EQ(executable_folder.front(), '/');
  EXPECT_EQ(executable_folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(executable_folder + "test_i18n"));

  // Only loading and reading here: nothing is learnt, so nothing is written.
  StartTranslations();
  EXPECT_EQ(ProgramFolder(), executable_folder);
  EXPECT_NE(ActiveTranslationTable(), nullptr);
}

}  // namespace
}  // namespace quillmere
