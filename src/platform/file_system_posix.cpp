#ifndef _WIN32

#include "platform/file_system.h"

#include <fcntl.h>
#include <unistd.h>

namespace quillmere {

int OpenFileForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

bool FolderIsWritable(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace quillmere

#endif
