#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "dxf/job_input.h"
#include "support/job_observer.h"

namespace quillmere {

// How a line of the input ended.
enum class LineEnd : std::uint8_t {
  kNone,  // the last line of the file, without a line end
  kLf,
  kCrLf,
};

// A walk through a job's input, front to back: reports the bytes passed to
// its progress tap with every block (1 MB) and at the end, which may stop
// the job, and lets all but the last block passed leave memory. A walk
// made without a tap does nothing.
class InputWalk {
 public:
  static constexpr std::int64_t kBlock = std::int64_t{1} << 20;

  InputWalk() = default;
  InputWalk(const JobInput& input, std::int64_t from, ProgressTap progress)
      : input_(&input), forgotten_(from), end_(input.Size()), progress_(progress) {
    next_ = NextReport(from);
  }

  // The walk has come to `offset`.
  void Reach(std::int64_t offset) {
    if (offset >= next_) Pass(offset);
  }

 private:
  std::int64_t NextReport(std::int64_t offset) const {
    if (offset >= end_) return std::numeric_limits<std::int64_t>::max();
    const std::int64_t block_end = (offset / kBlock + 1) * kBlock;
    return block_end < end_ ? block_end : end_;
  }
  void Pass(std::int64_t offset);

  const JobInput* input_ = nullptr;
  std::int64_t next_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t forgotten_ = 0;
  std::int64_t end_ = 0;
  ProgressTap progress_;
};

// The one line iterator over a job's input: the lines of the bytes
// [begin, end), in order, each without its line end. A line ends at a line
// feed, optionally preceded by a carriage return; a last line without a
// line end still counts. The views point into the input and stay valid as
// long as it does.
//
// Lines read in a walk through the file (Walk) move the walk on.
class InputLines {
 public:
  InputLines(const JobInput& input, std::int64_t begin, std::int64_t end)
      : input_(&input), data_(input.Bytes().data()), pos_(Clamped(begin, input)),
        end_(Clamped(end, input)) {}
  explicit InputLines(const JobInput& input, std::int64_t begin = 0)
      : InputLines(input, begin, input.Size()) {}

  // Makes this a walk through the file, reporting to `progress`.
  void Walk(ProgressTap progress) { walk_ = InputWalk(*input_, pos_, progress); }

  // The next line; false when the range is read.
  bool Next(std::string_view& line) {
    if (pos_ >= end_) return false;
    const std::int64_t lf = FindLineFeed(pos_);
    std::int64_t stop = lf;
    if (lf < end_) {
      const bool cr = lf > pos_ && data_[lf - 1] == '\r';
      ending_ = cr ? LineEnd::kCrLf : LineEnd::kLf;
      stop -= cr ? 1 : 0;
    } else {
      ending_ = LineEnd::kNone;
    }
    line = std::string_view(data_ + pos_, static_cast<std::size_t>(stop - pos_));
    pos_ = lf < end_ ? lf + 1 : end_;
    walk_.Reach(pos_);
    return true;
  }

  // How the line Next gave last ended.
  LineEnd Ending() const { return ending_; }
  // Where the next line begins.
  std::int64_t Offset() const { return pos_; }
  bool AtEnd() const { return pos_ >= end_; }

 private:
  static std::int64_t Clamped(std::int64_t offset, const JobInput& input) {
    return offset < 0 ? 0 : offset > input.Size() ? input.Size() : offset;
  }

  // Position of the first line feed from `from` on, or end_. DXF lines are
  // short, so eight bytes are tested at a time instead of setting up memchr
  // for every line, and the line feed's place in them is counted, not
  // searched.
  std::int64_t FindLineFeed(std::int64_t from) const {
    static_assert(std::endian::native == std::endian::little, "bytes are taken low byte first");
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL;
    std::int64_t pos = from;
    while (pos + 8 <= end_) {
      std::uint64_t word = 0;
      std::memcpy(&word, data_ + pos, 8);
      const std::uint64_t x = word ^ kFeeds;  // zero where a line feed is
      const std::uint64_t feeds = ~(((x & kLows) + kLows) | x | kLows);
      if (feeds != 0) return pos + std::countr_zero(feeds) / 8;
      pos += 8;
    }
    while (pos < end_ && data_[pos] != '\n') ++pos;
    return pos;
  }

  const JobInput* input_;
  const char* data_;
  std::int64_t pos_;
  std::int64_t end_;
  LineEnd ending_ = LineEnd::kNone;
  InputWalk walk_;
};

}  // namespace quillmere
