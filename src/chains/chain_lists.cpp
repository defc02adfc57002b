#include "chains/chain_lists.h"

#include <numeric>

namespace quillmere {

ChainLists::ChainLists(std::int32_t records)
    : next_(static_cast<std::size_t>(records), -1),
      last_(static_cast<std::size_t>(records)),
      attached_(static_cast<std::size_t>(records), 0),
      flags_(static_cast<std::size_t>(records), 0) {
  std::iota(last_.begin(), last_.end(), 0);
}

void ChainLists::Attach(std::int32_t attached, std::int32_t receiver) {
  const auto to = static_cast<std::size_t>(receiver);
  const auto from = static_cast<std::size_t>(attached);
  next_[static_cast<std::size_t>(last_[to])] = attached;
  last_[to] = last_[from];
  attached_[from] = 1;
}

}  // namespace quillmere
