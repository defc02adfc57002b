// The options file loader on arbitrary bytes: LoadOptions reads
// "options.dat" from the per-user folder (under $XDG_CONFIG_HOME here).
//
// Invariants:
// - German stays current after loading; the saved language is the file's
//   first four bytes as a little-endian number when that is a column of the
//   translation table (0 to 19), and German otherwise;
// - saving writes exactly those four bytes, and loading them again gives
//   the same language.

#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "support/user_folders.h"
#include "i18n/language.h"
#include "i18n/options_file.h"

namespace quillmere::fuzzing {
namespace {

std::string OptionsPath() {
  static const std::string path = [] {
    const std::string config = ScratchFolder::Get().File("config");
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    return GetProgramDir(true) + kOptionsFileName;
  }();
  return path;
}

std::int64_t LittleEndian32(const std::uint8_t* data) {
  const std::uint32_t bits = static_cast<std::uint32_t>(data[0]) |
                             static_cast<std::uint32_t>(data[1]) << 8 |
                             static_cast<std::uint32_t>(data[2]) << 16 |
                             static_cast<std::uint32_t>(data[3]) << 24;
  return static_cast<std::int32_t>(bits);
}

}  // namespace
}  // namespace quillmere::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillmere;
  using namespace quillmere::fuzzing;
  const std::string path = OptionsPath();
  WriteBytes(path, std::string_view(reinterpret_cast<const char*>(data), size));

  SetLanguage(kFrench);  // whatever was current before, loading makes German current
  LoadOptions();
  FUZZ_CHECK(language() == kGerman);
  const std::int64_t stored = size >= 4 ? LittleEndian32(data) : std::int64_t{kGerman};
  const int expected = stored >= 0 && stored < kLanguageCount ? static_cast<int>(stored) : kGerman;
  FUZZ_CHECK(languagesetto() == expected);

  SetLanguage(languagesetto());
  SaveOptions();
  const std::string saved = ReadWholeFile(path);
  FUZZ_CHECK(saved.size() == 4);
  FUZZ_CHECK(LittleEndian32(reinterpret_cast<const std::uint8_t*>(saved.data())) == expected);
  SetLanguageSetTo(kGerman);
  LoadOptions();
  FUZZ_CHECK(languagesetto() == expected);
  return 0;
}
