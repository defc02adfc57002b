#include "support/dyna_array.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <limits>

#include "support/block_memory.h"

namespace quillmere {

namespace {

// The cursor is a signed 32-bit number, so no array holds more records
// than it can name.
constexpr std::uint32_t kMaxRecords = std::numeric_limits<std::int32_t>::max();

}  // namespace

TDynaArray::TDynaArray(std::uint32_t thesize, void** typpoi)
    : outeraobj_(typpoi), size_(thesize) {}

TDynaArray::~TDynaArray() {
  // The user's variable is left alone: it may outlive the array's user.
  ReleaseBlock(poi_);
}

unsigned char* TDynaArray::Record(std::uint32_t index) const {
  return poi_ + static_cast<std::size_t>(index) * size_;
}

std::uint64_t TDynaArray::NeededBytes() const {
  const std::uint64_t records = (static_cast<std::uint64_t>(count_) - 1) / buffersize_ + 1;
  return records * buffersize_ * size_;
}

void TDynaArray::ClearCursor() {
  aobjnr_ = -1;
  aobj_ = nullptr;
  if (outeraobj_ != nullptr) *outeraobj_ = nullptr;
}

void TDynaArray::NoteShortage(int step, std::uint64_t bytes, int platform_error) {
  last_shortage_ = MemoryShortage{step, bytes, platform_error};
}

TDynaArray::Growth TDynaArray::AllocMoreMem() {
  const std::uint64_t needed = NeededBytes();
  // After a failed shrink the block may be larger than needed; it is kept.
  if (poi_ != nullptr && needed <= amemsize_) return Growth::kKept;

  const bool first_block = poi_ == nullptr;
  // amemsize_ is 32 bits wide; a larger block is refused, never wrapped.
  void* block = nullptr;
  errno = 0;
  if (needed <= std::numeric_limits<std::uint32_t>::max()) {
    block = ObtainZeroedBlock(static_cast<std::size_t>(needed));
  } else {
    errno = ENOMEM;
  }
  const int platform_error = errno;
  if (block == nullptr) {
    NoteShortage(first_block ? 1 : 2, needed, platform_error);
    return Growth::kFailed;
  }
  if (!first_block) {
    std::memcpy(block, poi_, amemsize_);
    ReleaseBlock(poi_);
  }
  poi_ = static_cast<unsigned char*>(block);
  amemsize_ = static_cast<std::uint32_t>(needed);
  return Growth::kReplaced;
}

void TDynaArray::AllocLessMem() {
  if (count_ == 0) {
    ReleaseBlock(poi_);
    poi_ = nullptr;
    amemsize_ = 0;
    return;
  }
  const std::uint64_t needed = NeededBytes();
  if (needed == amemsize_) return;
  void* block = ObtainZeroedBlock(static_cast<std::size_t>(needed));
  if (block == nullptr) {
    // The larger block still holds every record; keep it.
    NoteShortage(3, needed, errno);
    return;
  }
  std::memcpy(block, poi_, static_cast<std::size_t>(needed));
  ReleaseBlock(poi_);
  poi_ = static_cast<unsigned char*>(block);
  amemsize_ = static_cast<std::uint32_t>(needed);
}

void* TDynaArray::GetObject(std::uint32_t index) {
  assert(index < count_);
  aobjnr_ = static_cast<std::int32_t>(index);
  aobj_ = Record(index);
  if (outeraobj_ != nullptr) *outeraobj_ = aobj_;
  return aobj_;
}

const void* TDynaArray::At(std::uint32_t index) const {
  assert(index < count_);
  return Record(index);
}

void* TDynaArray::Add() {
  if (count_ >= kMaxRecords) return nullptr;
  ++count_;
  const Growth growth = AllocMoreMem();
  if (growth == Growth::kFailed) {
    --count_;
    return nullptr;
  }
  // A new block is zero already; a reused slot may hold a deleted record.
  if (growth == Growth::kKept) std::memset(Record(count_ - 1), 0, size_);
  return GetObject(count_ - 1);
}

void* TDynaArray::Insert(std::int32_t nr) {
  if (nr < 0 || static_cast<std::uint32_t>(nr) > count_ || count_ >= kMaxRecords) return nullptr;
  const std::uint32_t at = static_cast<std::uint32_t>(nr);
  ++count_;
  if (AllocMoreMem() == Growth::kFailed) {
    --count_;
    return nullptr;
  }
  std::memmove(Record(at + 1), Record(at), static_cast<std::size_t>(count_ - at - 1) * size_);
  std::memset(Record(at), 0, size_);
  return GetObject(at);
}

void TDynaArray::Delete(std::int32_t nr) {
  if (nr < 0 || static_cast<std::uint32_t>(nr) >= count_) return;
  const std::uint32_t at = static_cast<std::uint32_t>(nr);
  std::memmove(Record(at), Record(at + 1), static_cast<std::size_t>(count_ - at - 1) * size_);
  --count_;
  AllocLessMem();
  ClearCursor();
}

void TDynaArray::Change(std::int32_t nr1, std::int32_t nr2) {
  const auto valid = [this](std::int32_t nr) {
    return nr >= 0 && static_cast<std::uint32_t>(nr) < count_;
  };
  if (!valid(nr1) || !valid(nr2)) return;
  if (nr1 != nr2) {
    unsigned char* const first = Record(static_cast<std::uint32_t>(nr1));
    std::swap_ranges(first, first + size_, Record(static_cast<std::uint32_t>(nr2)));
  }
  GetObject(static_cast<std::uint32_t>(nr2));
}

void TDynaArray::Clear() {
  ReleaseBlock(poi_);
  poi_ = nullptr;
  count_ = 0;
  amemsize_ = 0;
  ClearCursor();
}

void TDynaArray::First() {
  if (count_ > 0) GetObject(0);
}

bool TDynaArray::Next() {
  const std::int64_t next = static_cast<std::int64_t>(aobjnr_) + 1;
  if (aobjnr_ < -1 || next >= static_cast<std::int64_t>(count_)) return false;
  GetObject(static_cast<std::uint32_t>(next));
  return true;
}

bool TDynaArray::WhileNext() {
  if (aobjnr_ < 0 || static_cast<std::uint32_t>(aobjnr_) >= count_) return false;
  aobj_ = Record(static_cast<std::uint32_t>(aobjnr_));
  if (outeraobj_ != nullptr) *outeraobj_ = aobj_;
  ++aobjnr_;
  return true;
}

}  // namespace quillmere
