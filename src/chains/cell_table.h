#pragma once

#include <cstdint>
#include <vector>

namespace quillmere {

// A cell of the chain-end grid: its numbers along the three axes and the
// join group whose ends it holds. Ends of different groups never share a
// cell, so a search never sees an end it may not join.
struct CellKey {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t z = 0;
  std::int32_t group = 0;
  friend bool operator==(const CellKey&, const CellKey&) = default;
};

// What a cell holds: a list of chain ends in ascending record order,
// linked through the members of the chain-end index.
struct Cell {
  CellKey key;
  std::int32_t first = -1;  // the lowest member, -1 when empty
  std::int32_t last = -1;   // the highest member
  std::int32_t count = 0;
  std::int32_t crowd = -1;  // the ordered set of a crowded cell, -1 for none
  bool used = false;
};

// The cells by key: an open-addressing hash table in one flat array, made
// large enough for every cell it will ever hold, so that it never grows and
// a cell keeps its place (its number) for good. Cells are never removed: a
// cell that loses its last member stays, empty.
class CellTable {
 public:
  explicit CellTable(std::int32_t most_cells);

  // The number of the cell of `key`; -1 when it was never used.
  std::int32_t Find(const CellKey& key) const;
  // The number of the cell of `key`, adding it empty when it was never used.
  // Adding more cells than announced is a fault of the caller (thrown as
  // std::length_error), never a silent slowdown.
  std::int32_t FindOrAdd(const CellKey& key);

  Cell& operator[](std::int32_t cell) { return slots_[static_cast<std::size_t>(cell)]; }
  const Cell& operator[](std::int32_t cell) const { return slots_[static_cast<std::size_t>(cell)]; }

  // Calls `visit(cell number)` for every cell ever used.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
      if (slots_[slot].used) visit(static_cast<std::int32_t>(slot));
    }
  }

 private:
  std::size_t Home(const CellKey& key) const;

  std::vector<Cell> slots_;  // a power of two, at most half of them used
  std::size_t mask_ = 0;
  std::size_t used_ = 0;
};

}  // namespace quillmere
