#include "dxf/input_lines.h"

#include <algorithm>

namespace quillmere {

void InputLines::Stream() {
  if (input_ == nullptr || !input_->IsMapped() || buffer_) return;
  origin_ += pos_;
  range_end_ = origin_ + (end_ - pos_);
  pos_ = 0;
  end_ = 0;
  capacity_ = kStreamBlock;
  buffer_ = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(capacity_));
  data_ = buffer_.get();
}

std::int64_t InputLines::Refill() {
  for (;;) {
    // What is kept moves to the front: the held lines and the current one.
    std::int64_t keep = origin_ + pos_;
    if (hold_ >= origin_ && hold_ < keep) keep = hold_;
    const std::int64_t shift = keep - origin_;
    const std::int64_t kept = end_ - shift;
    if (kept > capacity_ / 2) {
      // A long line: the buffer grows, so that each refill still reads much.
      auto larger = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(2 * capacity_));
      std::memcpy(larger.get(), buffer_.get() + shift, static_cast<std::size_t>(kept));
      buffer_ = std::move(larger);
      capacity_ *= 2;
    } else if (shift > 0) {
      std::memmove(buffer_.get(), buffer_.get() + shift, static_cast<std::size_t>(kept));
    }
    data_ = buffer_.get();
    origin_ = keep;
    pos_ -= shift;
    end_ = kept;
    const std::int64_t size = std::min(capacity_ - end_, range_end_ - (origin_ + end_));
    input_->ReadAt(origin_ + end_, static_cast<std::size_t>(size), buffer_.get() + end_);
    const std::int64_t searched = end_;
    end_ += size;
    // The bytes before `searched` hold no line feed behind the current line.
    const std::int64_t lf = FindLineFeed(std::max(pos_, searched));
    if (lf < end_ || origin_ + end_ >= range_end_) return lf;
  }
}

}  // namespace quillmere
