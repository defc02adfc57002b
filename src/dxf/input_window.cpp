#include "dxf/input_window.h"

#include <algorithm>

namespace quillmere {

std::string_view InputWindow::Read(std::int64_t begin, std::int64_t end) {
  end = std::min({end, begin + kBlock, input_.Size()});
  if (end <= begin) return {};
  const std::int64_t held_end = held_begin_ + static_cast<std::int64_t>(held_.size());
  if (begin < held_begin_ || end > held_end) {
    if (!room_) room_ = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(kBlock));
    held_begin_ = begin;
    held_ = input_.ReadAt(begin, static_cast<std::size_t>(std::min(kBlock, input_.Size() - begin)),
                          room_.get());
  }
  return held_.substr(static_cast<std::size_t>(begin - held_begin_),
                      static_cast<std::size_t>(end - begin));
}

}  // namespace quillmere
