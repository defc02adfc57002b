#include "support/input_file.h"

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace quillmere {

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool InputFile::Open(const std::string& path) {
  fd_ = OpenFileForReading(path);
  if (fd_ < 0) return false;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    fd_ = -1;
    errno = error;
    return false;
  }
  size_ = static_cast<std::int64_t>(info.st_size);
  StampOfOpenFile(fd_, stamp_);
  failed_ = false;
  error_ = 0;
  return true;
}

bool InputFile::ReadAt(std::int64_t offset, char* data, std::size_t size) {
  while (!failed_ && size > 0) {
    const std::int64_t got = ReadFileAt(fd_, offset, data, size);
    if (got <= 0) {
      failed_ = true;  // an error, or the file is shorter than it was
      error_ = got < 0 ? errno : 0;
      break;
    }
    offset += got;
    data += got;
    size -= static_cast<std::size_t>(got);
  }
  return !failed_;
}

std::int64_t InputFile::ReadUpTo(std::int64_t offset, char* data, std::size_t size) {
  std::int64_t done = 0;
  while (!failed_ && static_cast<std::size_t>(done) < size) {
    const std::int64_t got = ReadFileAt(fd_, offset + done, data + done, size - static_cast<std::size_t>(done));
    if (got == 0) break;
    if (got < 0) {
      failed_ = true;
      error_ = errno;
      return -1;
    }
    done += got;
  }
  return failed_ ? -1 : done;
}

bool InputWindow::Load(std::int64_t offset, std::int64_t wanted_end) {
  const std::int64_t wanted = std::max(wanted_end - offset, static_cast<std::int64_t>(read_ahead_));
  // A range beyond the size the file was opened with fails like a read
  // that finds the file shorter than it was.
  const std::int64_t left = file_.Size() - offset;
  const std::int64_t size_in_file =
      std::min({wanted, left, static_cast<std::int64_t>(kBlockSize)});
  const std::size_t size = size_in_file < 1 ? 1 : static_cast<std::size_t>(size_in_file);
  if (!file_.ReadAt(offset, buffer_.get(), size)) {
    loaded_begin_ = loaded_end_ = 0;
    return false;
  }
  loaded_begin_ = offset;
  loaded_end_ = offset + static_cast<std::int64_t>(size);
  tap_.Report(loaded_end_);
  return true;
}

}  // namespace quillmere
