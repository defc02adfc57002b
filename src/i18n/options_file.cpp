#include "i18n/options_file.h"

#include <cstdint>
#include <fstream>
#include <string>

#include "support/output_file.h"
#include "support/user_folders.h"
#include "i18n/language.h"
#include "platform/file_system.h"

namespace quillmere {

namespace {

// Empty when neither the per-user folder nor the program folder is known:
// the options then have no place, rather than landing in the working folder.
std::string OptionsFilePath(bool create_folder) {
  const std::string folder = GetProgramDir(create_folder);
  return folder.empty() ? std::string() : folder + kOptionsFileName;
}

}  // namespace

void LoadOptions() {
  SetLanguageSetTo(kGerman);
  SetLanguage(kGerman);
  const std::string path = OptionsFilePath(false);
  if (path.empty()) return;
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  unsigned char bytes[4] = {};
  if (!in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return;
  const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) |
                             static_cast<std::uint32_t>(bytes[1]) << 8 |
                             static_cast<std::uint32_t>(bytes[2]) << 16 |
                             static_cast<std::uint32_t>(bytes[3]) << 24;
  // Out-of-range numbers are ignored there, leaving German.
  SetLanguageSetTo(static_cast<std::int32_t>(bits));
}

void SaveOptions() {
  const std::string path = OptionsFilePath(true);
  if (path.empty()) return;
  const auto bits = static_cast<std::uint32_t>(language());
  const char bytes[4] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                         static_cast<char>((bits >> 16) & 0xFF),
                         static_cast<char>((bits >> 24) & 0xFF)};
  Result<OutputFile> file = OutputFile::Create(path);
  if (!file) return;
  file->Write(std::string_view(bytes, sizeof bytes));
  (void)file->Commit();
}

}  // namespace quillmere
