#include "dxf/dxf_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
}

DxfInput::~DxfInput() { Close(); }

bool DxfInput::Open(const std::string& path) {
  Close();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    Close();
    return false;
  }
  buffer_.resize(kBlockSize);
  begin_ = end_ = 0;
  eof_ = failed_ = false;
  return true;
}

void DxfInput::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  buffer_.shrink_to_fit();
  begin_ = end_ = 0;
  eof_ = true;
}

// Reads more bytes behind the unread ones; false when nothing more came.
bool DxfInput::Fill() {
  if (eof_ || fd_ < 0) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (got > 0) {
      end_ += static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed_ = true;
    eof_ = true;
    return false;
  }
}

bool DxfInput::HasMore() {
  return begin_ < end_ || Fill();
}

bool DxfInput::ReadLine(std::string_view& line) {
  std::size_t searched = begin_;
  for (;;) {
    // DXF lines are short: a plain scan beats the set-up of memchr.
    const char* const data = buffer_.data();
    std::size_t lf = searched;
    while (lf < end_ && data[lf] != '\n') ++lf;
    if (lf < end_) {
      std::size_t length = lf - begin_;
      if (length > 0 && buffer_[lf - 1] == '\r') --length;
      line = std::string_view(buffer_.data() + begin_, length);
      begin_ = lf + 1;
      return true;
    }
    const std::size_t offset = end_ - begin_;
    if (!Fill()) break;
    searched = begin_ + offset;
  }
  if (begin_ == end_) return false;
  // The last line of a file without a final line end.
  line = std::string_view(buffer_.data() + begin_, end_ - begin_);
  begin_ = end_;
  return true;
}

bool DxfInput::ReadPair(DxfPair& pair) {
  std::string_view line;
  if (!ReadLine(line)) return false;
  pair.code.assign(line);
  pair.has_value = ReadLine(line);
  if (pair.has_value) {
    pair.value.assign(line);
  } else {
    pair.value.clear();
  }
  return true;
}

}  // namespace quillmere
