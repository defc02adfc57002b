#include "join/attachment_lists.h"

#include <iterator>

namespace quillmere {

AttachmentLists::AttachmentLists(std::int32_t polylines)
    : first_(static_cast<std::size_t>(polylines), kNone),
      last_(static_cast<std::size_t>(polylines), kNone),
      next_(static_cast<std::size_t>(polylines), kNone),
      attached_(static_cast<std::size_t>(polylines), false) {}

void AttachmentLists::Attach(std::int32_t attached, std::int32_t receiver) {
  const auto a = static_cast<std::size_t>(attached);
  const auto r = static_cast<std::size_t>(receiver);
  // The piece that moves: `attached`, then its own list.
  next_[a] = first_[a];
  const std::int32_t piece_last = last_[a] == kNone ? attached : last_[a];
  first_[a] = last_[a] = kNone;
  attached_[a] = true;

  if (last_[r] == kNone) {
    first_[r] = attached;
  } else {
    next_[static_cast<std::size_t>(last_[r])] = attached;
  }
  last_[r] = piece_last;
}

void AttachmentLists::ApplyTo(PolylineModel& model) const {
  const auto at = [&model](std::int32_t index) -> Polyline& {
    return model.polylines[static_cast<std::size_t>(index)];
  };
  for (std::int32_t receiver = 0; receiver < model.PolylineCount(); ++receiver) {
    const std::int32_t first = first_[static_cast<std::size_t>(receiver)];
    if (first == kNone) continue;
    Polyline& target = at(receiver);
    std::int32_t count = target.VertexCount();
    for (std::int32_t q = first; q != kNone; q = next_[static_cast<std::size_t>(q)]) {
      count += at(q).VertexCount() - 1;
    }
    std::vector<Vertex>& vertices = target.vertices;
    vertices.reserve(static_cast<std::size_t>(count));
    for (std::int32_t q = first; q != kNone; q = next_[static_cast<std::size_t>(q)]) {
      Polyline& source = at(q);
      // The first vertex is the joint: the receiver's last one stands for it.
      vertices.insert(vertices.end(), std::make_move_iterator(source.vertices.begin() + 1),
                      std::make_move_iterator(source.vertices.end()));
      source.vertices = {};
      source.dropped = true;
    }
    // Only the last line of the input can be a code line without its value
    // line. Inside a receiver more lines follow it, so it gets an empty one.
    for (Vertex& vertex : vertices) {
      if (vertex.pairs.Count() % 2 == 1) vertex.pairs.Add("");
    }
  }
}

}  // namespace quillmere
