#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/large_blocks.h"

namespace quillmere {

// A growable column of plain values kept in blocks of 2 MB.
//
// Growing adds a block and never moves what is stored, so a column of any
// length costs its values plus less than one block, where a vector that
// doubles would for a moment hold the old and the new copy. Blocks are
// mapped whole and backed only where written; every block after the first
// is backed by huge pages where the system has them, so that filling a
// column of a large drawing costs few page faults.
template <typename Value>
class ChunkedColumn {
  static_assert(std::is_trivially_copyable_v<Value>);
  static constexpr std::size_t kBlockBytes = std::size_t{2} << 20;
  static constexpr std::size_t kBlockValues = kBlockBytes / sizeof(Value);
  static_assert((kBlockValues & (kBlockValues - 1)) == 0, "block size must be a power of two");

  struct FreeBlock {
    void operator()(Value* block) const { FreeLargeBlock(block, kBlockBytes); }
  };
  using Block = std::unique_ptr<Value[], FreeBlock>;

 public:
  ChunkedColumn() = default;
  ChunkedColumn(ChunkedColumn&&) noexcept = default;
  ChunkedColumn& operator=(ChunkedColumn&&) noexcept = default;
  ChunkedColumn(const ChunkedColumn& other) : size_(other.size_) {
    auto left = static_cast<std::size_t>(size_);
    for (const Block& block : other.blocks_) {
      const std::size_t used = std::min(left, kBlockValues);
      AddBlock();
      std::copy(block.get(), block.get() + used, blocks_.back().get());
      left -= used;
    }
  }
  ChunkedColumn& operator=(const ChunkedColumn& other) {
    if (this != &other) *this = ChunkedColumn(other);
    return *this;
  }

  std::int64_t Size() const { return size_; }

  // The column will be long: its first block is backed by huge pages too,
  // where a first block otherwise takes pages as it fills (a small
  // drawing's column costs only the pages it uses).
  void ExpectMany() { expect_many_ = true; }

  void PushBack(const Value& value) {
    const auto slot = static_cast<std::size_t>(size_) & (kBlockValues - 1);
    if (slot == 0) AddBlock();
    blocks_.back()[slot] = value;
    ++size_;
  }

  Value& operator[](std::int64_t index) {
    const auto i = static_cast<std::size_t>(index);
    return blocks_[i / kBlockValues][i & (kBlockValues - 1)];
  }
  const Value& operator[](std::int64_t index) const {
    const auto i = static_cast<std::size_t>(index);
    return blocks_[i / kBlockValues][i & (kBlockValues - 1)];
  }
  Value& Back() { return (*this)[size_ - 1]; }

  // Moves every value of `other` behind this column's, giving back each of
  // its blocks as soon as it is copied; `other` is left empty.
  void TakeAll(ChunkedColumn& other) {
    auto left = static_cast<std::size_t>(other.size_);
    for (Block& block : other.blocks_) {
      const std::size_t used = std::min(left, kBlockValues);
      Append(block.get(), used);
      left -= used;
      block.reset();
    }
    other.Clear();
  }

  void Clear() {
    blocks_.clear();
    size_ = 0;
  }

 private:
  // Copies `count` values behind the last, a block's worth at a time.
  void Append(const Value* values, std::size_t count) {
    while (count > 0) {
      const auto slot = static_cast<std::size_t>(size_) & (kBlockValues - 1);
      if (slot == 0) AddBlock();
      const std::size_t room = std::min(count, kBlockValues - slot);
      std::copy(values, values + room, blocks_.back().get() + slot);
      values += room;
      count -= room;
      size_ += static_cast<std::int64_t>(room);
    }
  }

  void AddBlock() {
    void* const memory = AllocateLargeBlock(kBlockBytes, expect_many_ || !blocks_.empty());
    if (memory == nullptr) throw std::bad_alloc();
    blocks_.emplace_back(static_cast<Value*>(memory));
  }

  std::vector<Block> blocks_;
  std::int64_t size_ = 0;
  bool expect_many_ = false;
};

}  // namespace quillmere
