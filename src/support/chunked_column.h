#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quillmere {

// A growable column of plain values kept in blocks of a fixed size.
//
// Growing adds a block and never moves what is stored, so a column of any
// length costs its values plus less than one block, where a vector that
// doubles would for a moment hold the old and the new copy. Blocks are
// allocated whole and left uninitialised until written.
template <typename Value, std::size_t kBlockValues = std::size_t{1} << 16>
class ChunkedColumn {
  static_assert((kBlockValues & (kBlockValues - 1)) == 0, "block size must be a power of two");

 public:
  ChunkedColumn() = default;
  ChunkedColumn(ChunkedColumn&&) noexcept = default;
  ChunkedColumn& operator=(ChunkedColumn&&) noexcept = default;
  ChunkedColumn(const ChunkedColumn& other) : size_(other.size_) {
    auto left = static_cast<std::size_t>(size_);
    for (const std::unique_ptr<Value[]>& block : other.blocks_) {
      const std::size_t used = std::min(left, kBlockValues);
      blocks_.push_back(std::make_unique_for_overwrite<Value[]>(kBlockValues));
      std::copy(block.get(), block.get() + used, blocks_.back().get());
      left -= used;
    }
  }
  ChunkedColumn& operator=(const ChunkedColumn& other) {
    if (this != &other) *this = ChunkedColumn(other);
    return *this;
  }

  std::int64_t Size() const { return size_; }

  void PushBack(const Value& value) {
    const auto slot = static_cast<std::size_t>(size_) & (kBlockValues - 1);
    if (slot == 0) blocks_.push_back(std::make_unique_for_overwrite<Value[]>(kBlockValues));
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
    std::int64_t left = other.size_;
    for (std::unique_ptr<Value[]>& block : other.blocks_) {
      const std::int64_t used = std::min<std::int64_t>(left, kBlockValues);
      for (std::int64_t i = 0; i < used; ++i) PushBack(block[static_cast<std::size_t>(i)]);
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
  std::vector<std::unique_ptr<Value[]>> blocks_;
  std::int64_t size_ = 0;
};

}  // namespace quillmere
