#pragma once

#include <cstdint>
#include <vector>

namespace quillmere {

// A cell of the receiver grid: its coordinates in cell units and the join
// group whose ends it holds.
struct GridCell {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t z = 0;
  std::int32_t group = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The first and last member of a cell's list; -1 when the cell is empty.
struct CellMembers {
  std::int32_t first = -1;
  std::int32_t last = -1;
};

// The cells of the receiver grid by coordinates: an open-addressing hash
// table, one probe sequence in one flat array instead of a node per cell.
// Cells are never removed: a cell that loses its last member stays, empty.
// Ends move only to cells that other ends occupied before, so the table
// holds at most as many cells as polylines were entered.
class CellTable {
 public:
  explicit CellTable(std::size_t expected_cells);

  // The cell's members; nothing when the cell was never used.
  const CellMembers* Find(const GridCell& cell) const;
  CellMembers* Find(const GridCell& cell);

  // The cell's members, adding the cell empty when it was never used.
  CellMembers& FindOrAdd(const GridCell& cell);

  // Calls `visit(cell, members)` for every cell ever used.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const Slot& slot : slots_) {
      if (slot.used) visit(slot.cell, slot.members);
    }
  }

 private:
  struct Slot {
    GridCell cell;
    CellMembers members;
    bool used = false;
  };

  std::size_t Home(const GridCell& cell) const;
  void Grow();

  std::vector<Slot> slots_;  // a power of two, at most half of them used
  std::size_t used_ = 0;
};

}  // namespace quillmere
