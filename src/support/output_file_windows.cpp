// OutputFile on Windows: the same promise as on POSIX systems (the output
// takes its name only when complete), with the Windows calls: wide-character
// paths and binary descriptors.
#ifdef _WIN32

#include "support/output_file.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/wide_text.h"

namespace quillmere {

namespace {

// _write takes an unsigned int count.
constexpr std::size_t kLargestWrite = 1 << 30;
// Temporary names tried before giving up, should other programs hold them.
constexpr int kTemporaryNameAttempts = 100;

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) return ".";
  if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

// A descriptor writing straight into `path` when it names a device or a pipe
// (NUL, CON, \\.\pipe\...), which cannot be replaced; -1 otherwise.
int OpenDevice(const std::wstring& path) {
  const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) return -1;
  const DWORD type = ::GetFileType(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)));
  if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) return fd;
  ::_close(fd);
  return -1;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

int OutputFile::Open(const std::string& path) {
  target_ = path;
  const std::wstring wide_target = WideFromUtf8(target_);

  const DWORD attributes = ::GetFileAttributesW(wide_target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EISDIR;
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return EACCES;
  fd_ = OpenDevice(wide_target);
  if (fd_ >= 0) {
    temporary_.clear();
    return 0;
  }

  const std::string prefix =
      FolderOf(target_) + "\\.quillmere-" + std::to_string(::GetCurrentProcessId()) + "-";
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string candidate = prefix + std::to_string(counter++);
    fd_ = ::_wopen(WideFromUtf8(candidate).c_str(),
                   _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
    if (fd_ >= 0) {
      temporary_ = candidate;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int OutputFile::WriteOut(const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const std::size_t chunk = std::min(size - done, kLargestWrite);
    const int wrote = ::_write(fd_, data + done, static_cast<unsigned>(chunk));
    if (wrote <= 0) return wrote < 0 ? errno : ENOSPC;
    done += static_cast<std::size_t>(wrote);
  }
  return 0;
}

void OutputFile::CloseDescriptor() {
  if (fd_ >= 0 && ::_close(fd_) != 0) Fail(errno);
  fd_ = -1;
}


}  // namespace quillmere

#endif
