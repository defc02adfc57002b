#ifndef _WIN32

#include "platform/program_arguments.h"

namespace quillmere {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace quillmere

#endif
