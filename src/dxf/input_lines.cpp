#include "dxf/input_lines.h"

namespace quillmere {

void InputWalk::Pass(std::int64_t offset) {
  next_ = NextReport(offset);
  // The block behind the last one passed stays: a reader may still look
  // at a long line that began there.
  const std::int64_t keep_from = (offset / kBlock - 1) * kBlock;
  if (keep_from > forgotten_) {
    input_->Forget(forgotten_, keep_from);
    forgotten_ = keep_from;
  }
  progress_.Report(offset);
}

}  // namespace quillmere
