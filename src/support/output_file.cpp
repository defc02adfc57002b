#include "support/output_file.h"

// The Windows version lives in platform/output_file_windows.cpp.
#ifndef _WIN32

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file that a path names in the end: symbolic links are followed so that
// replacing the output keeps the link and changes the file it points to.
std::string ResolveTarget(const std::string& path) {
  struct stat link_info {};
  if (::lstat(path.c_str(), &link_info) == 0 && S_ISLNK(link_info.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Create(const std::string& path) {
  Discard();
  failed_ = false;
  error_ = 0;
  used_ = 0;
  target_ = ResolveTarget(path);

  struct stat info {};
  const bool exists = ::stat(target_.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    error_ = EISDIR;
    return false;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    // Devices and pipes are written to directly; they cannot be replaced.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    temporary_.clear();
    if (fd_ < 0) error_ = errno;
    return fd_ >= 0;
  }
  if (exists && ::access(target_.c_str(), W_OK) != 0) {
    error_ = errno;
    return false;
  }

  std::string pattern = FolderOf(target_) + "/.quillmere-XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return false;
  }
  temporary_ = pattern;
  // Keep the permissions of the file being replaced; a new file gets the
  // usual ones for the user's umask.
  mode_t mode = 0;
  if (exists) {
    mode = info.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd_, mode);
  return true;
}

bool OutputFile::WriteOut(const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t wrote = ::write(fd_, data + done, size - done);
    if (wrote > 0) {
      done += static_cast<std::size_t>(wrote);
    } else if (wrote < 0 && errno == EINTR) {
      continue;
    } else {
      return false;
    }
  }
  return true;
}

void OutputFile::CloseDescriptor() {
  if (fd_ >= 0 && ::close(fd_) != 0) Fail(errno);
  fd_ = -1;
}


}  // namespace quillmere

#endif  // _WIN32
