#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
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
// the job. A walk made without a tap does nothing.
class InputWalk {
 public:
  static constexpr std::int64_t kBlock = std::int64_t{1} << 20;

  InputWalk() = default;
  InputWalk(const JobInput& input, std::int64_t from, ProgressTap progress)
      : end_(input.Size()), progress_(progress) {
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
  void Pass(std::int64_t offset) {
    next_ = NextReport(offset);
    progress_.Report(offset);
  }

  std::int64_t next_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t end_ = 0;
  ProgressTap progress_;
};

// The one line iterator over a job's input: the lines of the bytes
// [begin, end), in order, each without its line end. A line ends at a line
// feed, optionally preceded by a carriage return; a last line without a
// line end still counts. The views point into the input and stay valid as
// long as it does; in a stream (Stream) only for a while.
//
// Lines read in a walk through the file (Walk) move the walk on.
class InputLines {
 public:
  InputLines(const JobInput& input, std::int64_t begin, std::int64_t end)
      : input_(&input), data_(input.Bytes().data()), pos_(Clamped(begin, input)),
        end_(Clamped(end, input)), range_end_(end_) {}
  explicit InputLines(const JobInput& input, std::int64_t begin = 0)
      : InputLines(input, begin, input.Size()) {}
  // The lines of bytes read from an input (InputWindow), with offsets from
  // their start; never a walk.
  explicit InputLines(std::string_view bytes)
      : input_(nullptr), data_(bytes.data()), pos_(0),
        end_(static_cast<std::int64_t>(bytes.size())), range_end_(end_) {}

  // Makes this a walk through the file, reporting to `progress`.
  void Walk(ProgressTap progress) { walk_ = InputWalk(*input_, Offset(), progress); }

  // Makes the rest of the range a stream: read a block at a time into a
  // buffer of its own (JobInput::ReadAt) rather than touched through the
  // mapping, which costs far more on some machines. A line's view then
  // stays valid until a later line no longer fits in the buffer: the lines
  // from the one that begins at the offset given to Hold on (or else the
  // line being read) are kept. An input read into memory is not streamed.
  void Stream();
  // Keeps the lines from `offset` on in the buffer of a stream. They may
  // move there: At gives them again.
  void Hold(std::int64_t offset) { hold_ = offset; }
  // `size` bytes from `offset` on, which are at hand: held, or in the line
  // read last.
  std::string_view At(std::int64_t offset, std::size_t size) const {
    return {data_ + (offset - origin_), size};
  }

  // The next line; false when the range is read.
  bool Next(std::string_view& line) {
    std::int64_t lf = FindLineFeed(pos_);
    if (lf >= end_ && buffer_ && origin_ + end_ < range_end_) lf = Refill();
    if (pos_ >= end_) return false;
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
    walk_.Reach(origin_ + pos_);
    return true;
  }

  // How the line Next gave last ended.
  LineEnd Ending() const { return ending_; }
  // Where the next line begins.
  std::int64_t Offset() const { return origin_ + pos_; }
  bool AtEnd() const { return origin_ + pos_ >= range_end_; }

 private:
  static std::int64_t Clamped(std::int64_t offset, const JobInput& input) {
    return offset < 0 ? 0 : offset > input.Size() ? input.Size() : offset;
  }

  // Position of the first line feed from `from` on, or end_. DXF lines are
  // short, so sixteen bytes are tested at a time, as two words, instead of
  // setting up memchr for every line; a line feed's place in them is
  // counted, not searched, and most lines take one round.
  std::int64_t FindLineFeed(std::int64_t from) const {
    static_assert(std::endian::native == std::endian::little, "bytes are taken low byte first");
    std::int64_t pos = from;
    while (pos + 16 <= end_) {
      const std::uint64_t low = FeedBytes(data_ + pos);
      const std::uint64_t high = FeedBytes(data_ + pos + 8);
      if ((low | high) != 0) {
        return pos + (low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high)) / 8;
      }
      pos += 16;
    }
    if (pos + 8 <= end_) {
      if (const std::uint64_t feeds = FeedBytes(data_ + pos); feeds != 0) {
        return pos + std::countr_zero(feeds) / 8;
      }
      pos += 8;
    }
    while (pos < end_ && data_[pos] != '\n') ++pos;
    return pos;
  }

  // 0x80 in each of the eight bytes at `bytes` that is a line feed.
  static std::uint64_t FeedBytes(const char* bytes) {
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL;
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, 8);
    const std::uint64_t x = word ^ kFeeds;  // zero where a line feed is
    return ~(((x & kLows) + kLows) | x | kLows);
  }

  static constexpr std::int64_t kStreamBlock = std::int64_t{256} << 10;

  // Reads on in a stream until a line feed lies behind the current line or
  // the range is read; the line feed's place, or end_.
  std::int64_t Refill();

  const JobInput* input_;
  // The bytes at hand: data_[pos_] is the byte at offset origin_ + pos_ of
  // the file, and the bytes before data_[end_] are at hand.
  const char* data_;
  std::int64_t pos_;
  std::int64_t end_;
  std::int64_t range_end_;  // the offset where the range ends
  std::int64_t origin_ = 0;
  LineEnd ending_ = LineEnd::kNone;
  InputWalk walk_;
  // A stream's buffer and its size.
  std::unique_ptr<char[]> buffer_;
  std::int64_t capacity_ = 0;
  std::int64_t hold_ = -1;
};

}  // namespace quillmere
