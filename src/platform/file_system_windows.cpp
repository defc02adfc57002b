#ifdef _WIN32

#include "platform/file_system.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

#include "platform/wide_text.h"

namespace quillmere {

int OpenFileForReading(const std::string& path) {
  const int fd = ::_wopen(WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  return fd >= 0 ? fd : -errno;
}

// The C runtime has no positioned read: the descriptor's position is moved,
// which is safe while one thread at a time reads through it.
std::int64_t ReadFileAt(int fd, std::int64_t offset, char* data, std::size_t size) {
  if (::_lseeki64(fd, offset, SEEK_SET) < 0) return -errno;
  return ReadFileOnward(fd, data, size);
}

std::int64_t ReadFileOnward(int fd, char* data, std::size_t size) {
  constexpr std::size_t kLargestRead = 1 << 30;  // _read takes an unsigned count
  const int got = ::_read(fd, data, static_cast<unsigned>(size < kLargestRead ? size : kLargestRead));
  return got >= 0 ? got : -errno;
}

// rename() there refuses to replace an existing file.
// The system's reason comes as a Windows error code, told as the nearest
// C error number.
int MoveFileReplacing(const std::string& from, const std::string& to) {
  if (::MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING) != 0) {
    return 0;
  }
  switch (::GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EIO;
  }
}

void RemoveFile(const std::string& path) { ::_wunlink(WideFromUtf8(path).c_str()); }

// The C runtime gives no file identity; size and time of change must do.
bool StampOfOpenFile(int fd, FileStamp& stamp) {
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0) return false;
  stamp.size = static_cast<std::int64_t>(info.st_size);
  stamp.modified = static_cast<std::int64_t>(info.st_mtime);
  stamp.identity = 0;
  return true;
}

int StampOfPath(const std::string& path, FileStamp& stamp) {
  struct _stat64 info {};
  if (::_wstat64(WideFromUtf8(path).c_str(), &info) != 0) return errno;
  stamp.size = static_cast<std::int64_t>(info.st_size);
  stamp.modified = static_cast<std::int64_t>(info.st_mtime);
  stamp.identity = 0;
  return 0;
}

bool KindOfOpenFile(int fd, FileKind& kind, int& error) {
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0) {
    error = errno;
    return false;
  }
  kind = (info.st_mode & _S_IFDIR) != 0   ? FileKind::kFolder
         : (info.st_mode & _S_IFREG) != 0 ? FileKind::kRegular
                                          : FileKind::kOther;
  return true;
}

void CloseFile(int fd) { ::_close(fd); }

// Folder permissions on Windows are access lists that no attribute shows
// (Program Files is read-only for users without being marked so), so the
// only sure test is to create a file, which goes away when it is closed.
bool FolderIsWritable(const std::string& folder) {
  std::string probe = folder;
  if (!probe.empty() && probe.back() != '\\' && probe.back() != '/') probe.push_back('\\');
  probe += ".quillmere-probe-" + std::to_string(::GetCurrentProcessId());
  const HANDLE file = ::CreateFileW(WideFromUtf8(probe).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

}  // namespace quillmere

#endif
