#ifdef _WIN32

#include "platform/program_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/wide_text.h"

namespace quillmere {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* const wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int k = 1; k < count; ++k) arguments.push_back(Utf8FromWide(wide[k]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace quillmere

#endif
