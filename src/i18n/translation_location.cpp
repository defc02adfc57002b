#include "i18n/translation_location.h"

#include <filesystem>
#include <system_error>

#include "support/user_folders.h"
#include "i18n/translation_file.h"
#include "platform/file_system.h"

namespace quillmere {

namespace {

bool ProgramFolderIsWritable() { return FolderIsWritable(ProgramFolder()); }

bool FileExists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(PathFromUtf8(path), ignored);
}

}  // namespace

std::string UserTranslationFilePath(bool create) {
  const std::string folder = GetProgramDir(create);
  // Without a per-user folder GetProgramDir names the program folder itself.
  if (folder.empty() || folder == ProgramFolder()) return {};
  return folder + kTranslationFileName;
}

std::string TranslationFileToRead() {
  const std::string program_table = TranslationFilePath();
  if (program_table.empty() || ProgramFolderIsWritable()) return program_table;
  const std::string user_table = UserTranslationFilePath(false);
  return !user_table.empty() && FileExists(user_table) ? user_table : program_table;
}

std::string TranslationFileToSave() {
  const std::string program_table = TranslationFilePath();
  if (program_table.empty() || ProgramFolderIsWritable()) return program_table;
  const std::string user_table = UserTranslationFilePath(true);
  return user_table.empty() ? program_table : user_table;
}

}  // namespace quillmere
