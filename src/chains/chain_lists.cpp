#include "chains/chain_lists.h"

#include <iterator>
#include <numeric>

namespace quillmere {

ChainLists::ChainLists(std::int32_t records)
    : next_(static_cast<std::size_t>(records), -1),
      last_(static_cast<std::size_t>(records)),
      attached_(static_cast<std::size_t>(records), 0) {
  std::iota(last_.begin(), last_.end(), 0);
}

void ChainLists::Attach(std::int32_t attached, std::int32_t receiver) {
  const auto to = static_cast<std::size_t>(receiver);
  const auto from = static_cast<std::size_t>(attached);
  next_[static_cast<std::size_t>(last_[to])] = attached;
  last_[to] = last_[from];
  attached_[from] = 1;
}

void ChainLists::MoveVertices(PolylineModel& model,
                              const std::function<void(Polyline& head)>& finish) const {
  for (std::int32_t head = 0; head < model.PolylineCount(); ++head) {
    if (IsAttached(head) || Next(head) < 0) continue;
    MoveChain(model, head);
    if (finish) finish(model.polylines[static_cast<std::size_t>(head)]);
  }
}

void ChainLists::MoveChain(PolylineModel& model, std::int32_t head) const {
  const auto at = [&model](std::int32_t record) -> Polyline& {
    return model.polylines[static_cast<std::size_t>(record)];
  };
  std::vector<Vertex>& vertices = at(head).vertices;
  std::size_t count = vertices.size();
  for (std::int32_t record = Next(head); record >= 0; record = Next(record)) {
    count += at(record).vertices.size() - 1;
  }
  vertices.reserve(count);
  for (std::int32_t record = Next(head); record >= 0; record = Next(record)) {
    Polyline& appended = at(record);
    vertices.insert(vertices.end(), std::make_move_iterator(appended.vertices.begin() + 1),
                    std::make_move_iterator(appended.vertices.end()));
    appended.vertices = {};
    appended.dropped = true;
  }
}

}  // namespace quillmere
