#ifndef _WIN32

#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {

int OpenFileForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return fd >= 0 ? fd : -errno;
}

std::int64_t ReadFileAt(int fd, std::int64_t offset, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::pread(fd, data, size, static_cast<off_t>(offset));
    if (got >= 0) return got;
    if (errno != EINTR) return -errno;
  }
}

std::int64_t ReadFileOnward(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, data, size);
    if (got >= 0) return got;
    if (errno != EINTR) return -errno;
  }
}

int MoveFileReplacing(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

namespace {

void StampOf(const struct stat& info, FileStamp& stamp) {
  stamp.size = static_cast<std::int64_t>(info.st_size);
  stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  stamp.identity = static_cast<std::uint64_t>(info.st_ino) ^ (static_cast<std::uint64_t>(info.st_dev) << 40);
}

}  // namespace

bool StampOfOpenFile(int fd, FileStamp& stamp) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  StampOf(info, stamp);
  return true;
}

int StampOfPath(const std::string& path, FileStamp& stamp) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno;
  StampOf(info, stamp);
  return 0;
}

bool KindOfOpenFile(int fd, FileKind& kind, int& error) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = errno;
    return false;
  }
  kind = S_ISDIR(info.st_mode) ? FileKind::kFolder
         : S_ISREG(info.st_mode) ? FileKind::kRegular
                                 : FileKind::kOther;
  return true;
}

void CloseFile(int fd) { ::close(fd); }

bool FolderIsWritable(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace quillmere

#endif
