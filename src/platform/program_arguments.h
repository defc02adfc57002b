#pragma once

#include <string>
#include <vector>

namespace quillmere {

// The command-line arguments after the program name, as UTF-8 texts. On
// Windows `argv` is in the 8-bit code page, which cannot spell every file
// name, so the wide command line is asked instead.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace quillmere
