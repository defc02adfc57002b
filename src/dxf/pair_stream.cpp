#include "dxf/pair_stream.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "dxf/dxf_text.h"
#include "platform/file_system.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {

namespace {
constexpr std::size_t kBlockSize = 1 << 20;

// Position of the first line feed in data[from, end), or `end`. DXF lines
// are short, so eight bytes are tested at a time instead of setting up
// memchr for every line, and the line feed's place in them is counted, not
// searched.
std::size_t FindLineFeed(const char* data, std::size_t from, std::size_t end) {
  static_assert(std::endian::native == std::endian::little, "bytes are taken low byte first");
  constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL;
  std::size_t pos = from;
  while (pos + 8 <= end) {
    std::uint64_t word = 0;
    std::memcpy(&word, data + pos, 8);
    const std::uint64_t x = word ^ kFeeds;  // zero where a line feed is
    const std::uint64_t feeds = ~(((x & kLows) + kLows) | x | kLows);
    if (feeds != 0) return pos + static_cast<std::size_t>(std::countr_zero(feeds) / 8);
    pos += 8;
  }
  while (pos < end && data[pos] != '\n') ++pos;
  return pos;
}
}

PairStream::~PairStream() { Close(); }

bool PairStream::Open(const std::string& path, std::int64_t from) {
  Close();
  fd_ = OpenFileForReading(path);
  if (fd_ < 0) return false;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode) || (from != 0 && !SeekFile(fd_, from))) {
    Close();
    return false;
  }
  size_ = static_cast<std::int64_t>(info.st_size);
  regular_ = S_ISREG(info.st_mode);
  StampOfOpenFile(fd_, stamp_);
  buffer_.resize(kBlockSize);
  begin_ = end_ = 0;
  consumed_ = static_cast<std::size_t>(from);
  eof_ = failed_ = holding_ = false;
  error_ = 0;
  return true;
}

void PairStream::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  buffer_.shrink_to_fit();
  begin_ = end_ = 0;
  eof_ = true;
  holding_ = false;
  tap_ = ProgressTap();
}

// Reads more bytes behind the unread ones; false when nothing more came.
bool PairStream::Fill() {
  if (eof_ || fd_ < 0) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    consumed_ += begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (got > 0) {
      end_ += static_cast<std::size_t>(got);
      tap_.Report(static_cast<std::int64_t>(consumed_ + end_));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failed_ = true;
      error_ = errno;
    } else if (regular_ && static_cast<std::int64_t>(consumed_ + end_) < size_) {
      failed_ = true;  // the file ended before the size it had when opened
    }
    eof_ = true;
    return false;
  }
}

bool PairStream::ReadLine(std::string_view& line) {
  std::size_t searched = begin_;
  for (;;) {
    const std::size_t lf = FindLineFeed(buffer_.data(), searched, end_);
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

std::size_t PairStream::FindLineEnd(std::size_t& from) {
  std::size_t searched = from;
  for (;;) {
    const std::size_t lf = FindLineFeed(buffer_.data(), searched, end_);
    if (lf < end_) return lf;
    const std::size_t line_offset = from - begin_;
    const std::size_t searched_offset = end_ - begin_;
    const bool filled = Fill();  // moves the unread bytes even when none came
    from = begin_ + line_offset;
    searched = begin_ + searched_offset;
    if (!filled) return end_;
  }
}

bool PairStream::ReadPairView(PairView& pair) {
  if (begin_ == end_ && !Fill()) return false;
  std::size_t code_begin = begin_;
  const std::size_t code_lf = FindLineEnd(code_begin);
  std::size_t value_begin = code_lf + 1;
  // The code line's end is kept in place while the value line is found:
  // measured from the code line's start, it survives the buffer moving.
  const std::size_t code_length = code_lf - code_begin;
  pair.offset = static_cast<std::int64_t>(consumed_ + code_begin);
  if (code_lf == end_) {
    // The last line of a file without a final line end.
    pair.code = std::string_view(buffer_.data() + code_begin, code_length);
    pair.value = {};
    pair.has_value = false;
    pair.ends_in_crlf = false;
    begin_ = end_;
    pair.end = static_cast<std::int64_t>(consumed_ + end_);
    return true;
  }
  const std::size_t value_lf = FindLineEnd(value_begin);
  code_begin = value_begin - 1 - code_length;
  const bool code_crlf = code_length > 0 && buffer_[code_begin + code_length - 1] == '\r';
  pair.code = std::string_view(buffer_.data() + code_begin, code_length - (code_crlf ? 1 : 0));
  pair.has_value = value_begin < end_;
  if (!pair.has_value) {
    pair.value = {};
    pair.ends_in_crlf = code_crlf;
    begin_ = end_;
  } else if (value_lf == end_) {
    pair.value = std::string_view(buffer_.data() + value_begin, end_ - value_begin);
    pair.ends_in_crlf = false;
    begin_ = end_;
  } else {
    const bool value_crlf = value_lf > value_begin && buffer_[value_lf - 1] == '\r';
    pair.value = std::string_view(buffer_.data() + value_begin,
                                  value_lf - value_begin - (value_crlf ? 1 : 0));
    pair.ends_in_crlf = code_crlf && value_crlf;
    begin_ = value_lf + 1;
  }
  pair.end = static_cast<std::int64_t>(consumed_ + begin_);
  return true;
}

void PairStream::PutBack(DxfPair pair) {
  held_ = std::move(pair);
  holding_ = true;
}

bool PairStream::ReadBodyPair(DxfPair& pair) {
  if (!ReadPair(pair)) return false;
  if (!LineIs(pair.code, "0")) return true;
  PutBack(std::move(pair));
  return false;
}

bool PairStream::ReadPair(DxfPair& pair) {
  if (holding_) {
    holding_ = false;
    pair = std::move(held_);
    return true;
  }
  const auto offset = static_cast<std::int64_t>(consumed_ + begin_);
  std::string_view line;
  if (!ReadLine(line)) return false;
  pair.offset = offset;
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
