#include "join/cell_table.h"

#include <utility>

namespace quillmere {

namespace {

std::uint64_t Mix(std::uint64_t value) {
  value ^= value >> 30;
  value *= 0xbf58476d1ce4e5b9ULL;
  value ^= value >> 27;
  value *= 0x94d049bb133111ebULL;
  value ^= value >> 31;
  return value;
}

}  // namespace

CellTable::CellTable(std::size_t expected_cells) {
  std::size_t capacity = 16;
  while (capacity < 2 * expected_cells) capacity *= 2;
  slots_.resize(capacity);
}

std::size_t CellTable::Home(const GridCell& cell) const {
  std::uint64_t hash = Mix(static_cast<std::uint64_t>(cell.group));
  hash = Mix(hash ^ static_cast<std::uint64_t>(cell.z));
  hash = Mix(hash ^ static_cast<std::uint64_t>(cell.y));
  hash = Mix(hash ^ static_cast<std::uint64_t>(cell.x));
  return static_cast<std::size_t>(hash) & (slots_.size() - 1);
}

const CellMembers* CellTable::Find(const GridCell& cell) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = Home(cell);; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (!slot.used) return nullptr;
    if (slot.cell == cell) return &slot.members;
  }
}

CellMembers* CellTable::Find(const GridCell& cell) {
  return const_cast<CellMembers*>(std::as_const(*this).Find(cell));
}

CellMembers& CellTable::FindOrAdd(const GridCell& cell) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = Home(cell);; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.used && slot.cell == cell) return slot.members;
    if (!slot.used) {
      slot.used = true;
      slot.cell = cell;
      ++used_;
      return slot.members;
    }
  }
}

void CellTable::Grow() {
  std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(2 * slots_.size()));
  used_ = 0;
  for (const Slot& slot : old) {
    if (slot.used) FindOrAdd(slot.cell) = slot.members;
  }
}

}  // namespace quillmere
