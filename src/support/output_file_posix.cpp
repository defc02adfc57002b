#include "support/output_file.h"

// The Windows version lives in output_file_windows.cpp.
#ifndef _WIN32

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
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

// A file ".quillmere-" and six random letters or digits in `folder`,
// created for writing with `mode` (less the umask); its descriptor, and its
// name in `name`; -1, with `name` untouched, when no such file can be
// created.
int CreateUniqueFile(const std::string& folder, mode_t mode, std::string& name) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::atomic<std::uint64_t> calls{0};
  std::uint64_t state = static_cast<std::uint64_t>(::getpid()) << 32 ^
                        static_cast<std::uint64_t>(
                            std::chrono::steady_clock::now().time_since_epoch().count()) ^
                        ++calls * 0x9E3779B97F4A7C15u;
  for (int attempt = 0; attempt < 100; ++attempt) {
    // splitmix64: well spread names from a seed that differs per call.
    std::uint64_t bits = state += 0x9E3779B97F4A7C15u;
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9u;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBu;
    bits ^= bits >> 31;
    std::string candidate = folder + "/.quillmere-";
    for (int k = 0; k < 6; ++k, bits >>= 6) {
      candidate.push_back(kLetters[bits % (sizeof kLetters - 1)]);
    }
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) name = std::move(candidate);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

int OutputFile::Open(const std::string& path) {
  target_ = ResolveTarget(path);

  struct stat info {};
  const bool exists = ::stat(target_.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) return EISDIR;
  if (exists && !S_ISREG(info.st_mode)) {
    // Devices and pipes are written to directly; they cannot be replaced.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    temporary_.clear();
    return fd_ < 0 ? errno : 0;
  }
  if (exists && ::access(target_.c_str(), W_OK) != 0) return errno;

  // A new output gets the usual permissions, 0666 less the user's umask,
  // which the kernel applies; the umask itself is never read or changed,
  // since it belongs to the whole process and other threads create files
  // too. A replaced file keeps its permissions, set once the temporary file
  // exists and is still private to this user.
  temporary_.clear();
  fd_ = CreateUniqueFile(FolderOf(target_), exists ? 0600 : 0666, temporary_);
  if (fd_ < 0) return errno != 0 ? errno : EEXIST;
  if (exists) ::fchmod(fd_, info.st_mode & 07777);
  return 0;
}

int OutputFile::WriteOut(const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t wrote = ::write(fd_, data + done, size - done);
    if (wrote > 0) {
      done += static_cast<std::size_t>(wrote);
    } else if (wrote < 0 && errno == EINTR) {
      continue;
    } else {
      return wrote < 0 ? errno : ENOSPC;
    }
  }
  return 0;
}

void OutputFile::CloseDescriptor() {
  if (fd_ >= 0 && ::close(fd_) != 0) Fail(errno);
  fd_ = -1;
}


}  // namespace quillmere

#endif  // _WIN32
