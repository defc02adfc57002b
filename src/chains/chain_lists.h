#pragma once

#include <cstdint>
#include <vector>

namespace quillmere {

// The chains as lists of records: joining links two lists in constant time,
// however long they are. Every record starts as a chain of its own.
class ChainLists {
 public:
  explicit ChainLists(std::int32_t records);

  std::int32_t RecordCount() const { return static_cast<std::int32_t>(next_.size()); }

  // The chain headed by `attached` now follows the chain headed by
  // `receiver`; `attached` heads no chain any more.
  void Attach(std::int32_t attached, std::int32_t receiver);

  bool IsAttached(std::int32_t record) const {
    return attached_[static_cast<std::size_t>(record)] != 0;
  }

  // The record linked behind `record` in its chain; -1 at a chain's end.
  std::int32_t Next(std::int32_t record) const { return next_[static_cast<std::size_t>(record)]; }

  // Contours: `record` is used backwards in its chain, and the chain of
  // `head` comes back to its own start.
  void SetReversed(std::int32_t record) { flags_[static_cast<std::size_t>(record)] |= kReversed; }
  void SetClosed(std::int32_t head) { flags_[static_cast<std::size_t>(head)] |= kClosed; }
  bool IsReversed(std::int32_t record) const {
    return (flags_[static_cast<std::size_t>(record)] & kReversed) != 0;
  }
  bool IsClosed(std::int32_t head) const {
    return (flags_[static_cast<std::size_t>(head)] & kClosed) != 0;
  }

  // Whether `record` heads a chain of more than itself.
  bool Receives(std::int32_t record) const { return !IsAttached(record) && Next(record) >= 0; }

 private:
  std::vector<std::int32_t> next_;     // the record linked behind, -1 at a chain's end
  std::vector<std::int32_t> last_;     // for a head: the last record of its chain
  std::vector<std::uint8_t> attached_;  // 1 once linked behind another record
  static constexpr std::uint8_t kReversed = 1;
  static constexpr std::uint8_t kClosed = 2;
  std::vector<std::uint8_t> flags_;
};

}  // namespace quillmere
