#include "chains/cell_table.h"

#include <algorithm>
#include <stdexcept>

namespace quillmere {

namespace {

// Spreads the bits of a combined key over the whole word, so that the
// neighbouring cells of a drawing land in unrelated slots.
std::uint64_t Mix(std::uint64_t value) {
  value ^= value >> 33;
  value *= 0xff51afd7ed558ccdULL;
  value ^= value >> 33;
  value *= 0xc4ceb9fe1a85ec53ULL;
  value ^= value >> 33;
  return value;
}

}  // namespace

CellTable::CellTable(std::int32_t most_cells) {
  std::size_t slots = 16;
  while (slots < 2 * static_cast<std::size_t>(std::max(most_cells, 0))) slots *= 2;
  slots_.resize(slots);
  mask_ = slots - 1;
}

std::size_t CellTable::Home(const CellKey& key) const {
  const std::uint64_t combined = static_cast<std::uint64_t>(key.x) * 0x9E3779B97F4A7C15ULL ^
                                 static_cast<std::uint64_t>(key.y) * 0xC2B2AE3D27D4EB4FULL ^
                                 static_cast<std::uint64_t>(key.z) * 0x165667B19E3779F9ULL ^
                                 static_cast<std::uint64_t>(key.group);
  return static_cast<std::size_t>(Mix(combined)) & mask_;
}

std::int32_t CellTable::Find(const CellKey& key) const {
  for (std::size_t slot = Home(key);; slot = (slot + 1) & mask_) {
    const Cell& cell = slots_[slot];
    if (!cell.used) return -1;
    if (cell.key == key) return static_cast<std::int32_t>(slot);
  }
}

std::int32_t CellTable::FindOrAdd(const CellKey& key) {
  for (std::size_t slot = Home(key);; slot = (slot + 1) & mask_) {
    Cell& cell = slots_[slot];
    if (cell.used && cell.key == key) return static_cast<std::int32_t>(slot);
    if (!cell.used) {
      if (2 * (used_ + 1) > slots_.size()) throw std::length_error("more cells than announced");
      ++used_;
      cell.used = true;
      cell.key = key;
      return static_cast<std::int32_t>(slot);
    }
  }
}

}  // namespace quillmere
