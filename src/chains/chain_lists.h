#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "dxf/polyline_model.h"

namespace quillmere {

// The chains as lists of records while the passes run. Joining links two
// lists in constant time, however long they are; the vertices move once,
// when the passes are over, which gives the same model as moving them at
// every join.
class ChainLists {
 public:
  explicit ChainLists(std::int32_t records);

  // The chain headed by `attached` now follows the chain headed by
  // `receiver`; `attached` heads no chain any more.
  void Attach(std::int32_t attached, std::int32_t receiver);

  bool IsAttached(std::int32_t record) const {
    return attached_[static_cast<std::size_t>(record)] != 0;
  }

  // Moves the vertices of every record linked behind a head to the end of
  // the head's vertices, in chain order, each without its first vertex (the
  // joint, which the record before it already ends with), and leaves those
  // records without vertices and `dropped`. Then calls `finish`, when
  // given, with the head, while its vertices are still at hand.
  void MoveVertices(PolylineModel& model,
                    const std::function<void(Polyline& head)>& finish) const;

 private:
  std::int32_t Next(std::int32_t record) const { return next_[static_cast<std::size_t>(record)]; }
  // Moves the vertices of the chain behind `head` to `head`, reserving the
  // room for all of them first.
  void MoveChain(PolylineModel& model, std::int32_t head) const;

  std::vector<std::int32_t> next_;     // the record linked behind, -1 at a chain's end
  std::vector<std::int32_t> last_;     // for a head: the last record of its chain
  std::vector<std::uint8_t> attached_;  // 1 once linked behind another record
};

}  // namespace quillmere
