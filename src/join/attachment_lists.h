#pragma once

#include <cstdint>
#include <vector>

#include "dxf/polyline_model.h"

namespace quillmere {

// The joins of the join passes, recorded without moving any vertex: for
// every receiver, the polylines attached behind it, in order. Attaching a
// receiver that has itself received carries its whole list along in
// constant time. Applying the lists afterwards moves every vertex once,
// however often its chain was attached further, which gives the same model
// as attaching vertex by vertex at every join.
class AttachmentLists {
 public:
  explicit AttachmentLists(std::int32_t polylines);

  // `attached`, with everything attached behind it, now follows the last
  // polyline attached behind `receiver`.
  void Attach(std::int32_t attached, std::int32_t receiver);

  bool IsAttached(std::int32_t polyline) const {
    return attached_[static_cast<std::size_t>(polyline)];
  }

  // Moves the vertices of every attached polyline, from its second on,
  // behind its receiver's, sets the vertex counts, and leaves each attached
  // polyline without vertices and marked `dropped`.
  void ApplyTo(PolylineModel& model) const;

 private:
  static constexpr std::int32_t kNone = -1;
  std::vector<std::int32_t> first_;  // by receiver: first attached behind it
  std::vector<std::int32_t> last_;   // by receiver: last attached behind it
  std::vector<std::int32_t> next_;   // by attached polyline: the one after it
  std::vector<bool> attached_;
};

}  // namespace quillmere
