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
      if (block) {
        AddBlock();
        std::copy(block.get(), block.get() + used, blocks_.back().get());
      } else {
        blocks_.emplace_back();  // a gap left by AdoptAt
      }
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

  // How many values a block holds: AdoptAt puts values at a multiple.
  static constexpr std::int64_t BlockValues() { return static_cast<std::int64_t>(kBlockValues); }

  // Makes the values of `other` this column's from index `at` on, a
  // multiple of BlockValues() no lower than Size(), without copying them:
  // its blocks become this column's. The indices from Size() up to `at`
  // hold no values and cost no memory; nothing may read them. `other` is
  // left empty.
  void AdoptAt(std::int64_t at, ChunkedColumn& other) {
    // The rest of the last block stays empty for good.
    if (const auto used = static_cast<std::size_t>(size_) & (kBlockValues - 1); used != 0) {
      ReleaseLargeBlockTail(blocks_.back().get(), used * sizeof(Value), kBlockBytes);
    }
    const auto first_block = static_cast<std::size_t>(at) / kBlockValues;
    while (blocks_.size() < first_block) blocks_.emplace_back();
    for (Block& block : other.blocks_) blocks_.push_back(std::move(block));
    size_ = at + other.size_;
    other.Clear();
  }

  void Clear() {
    blocks_.clear();
    size_ = 0;
  }

 private:
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
