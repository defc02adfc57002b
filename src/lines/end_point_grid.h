#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

namespace quillmere {

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

// The join test of the line job: `a` and `b` meet when they differ by less
// than `tolerance` in x, in y and in z. A box, not a distance.
inline bool WithinBox(const Point3& a, const Point3& b, double tolerance) {
  return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance &&
         std::fabs(a.z - b.z) < tolerance;
}

// The current end points of the chains, hashed into cubic cells, answering
// "which is the lowest chain whose end lies within the box around this
// point?" without looking at distant ends.
//
// The answer is exact: a cell is at least four times the tolerance wide, so
// an end within the box lies in one of at most two cells per axis around the
// query, and every candidate found there is checked with WithinBox itself.
// The cell width also grows with the largest coordinate, so that cell
// numbers stay far inside the range where floating-point rounding could
// misplace a point by a whole cell (and far from integer overflow).
// Tolerances so large that the width overflows put every point in one cell.
class EndPointGrid {
 public:
  // `tolerance` must be positive. `extent` is the largest magnitude of any
  // finite coordinate that will be stored or asked about; `chains` the number
  // of chain numbers (0 .. chains-1).
  EndPointGrid(double tolerance, double extent, std::int32_t chains);
  ~EndPointGrid();
  EndPointGrid(const EndPointGrid&) = delete;
  EndPointGrid& operator=(const EndPointGrid&) = delete;

  // Records `end` as the end point of `chain`, which must not be stored.
  void Insert(std::int32_t chain, const Point3& end);
  // Forgets the end point of a stored chain.
  void Erase(std::int32_t chain);
  // Gives the end point of stored chain `from` to stored chain `to`, whose
  // own end is forgotten; `from` is no longer stored. This is what appending
  // `from` to the end of `to` does to the chain ends.
  void TakeOver(std::int32_t to, std::int32_t from);

  // The lowest stored chain other than `exclude` whose end lies within the
  // box around `start`; -1 when there is none.
  std::int32_t LowestMatch(const Point3& start, std::int32_t exclude) const;

 private:
  struct CellKey {
    std::int64_t x, y, z;
    friend bool operator==(const CellKey&, const CellKey&) = default;
  };

  // The chains whose ends lie in one cell, visited in ascending order.
  // Nearly every cell holds one or two ends; a point where very many lines
  // meet switches to a tree so that updates stay cheap.
  class Members {
   public:
    void Insert(std::int32_t chain);
    void Erase(std::int32_t chain);
    // Calls visit(chain) in ascending order until it returns false.
    template <typename Visitor>
    void Visit(Visitor visit) const {
      if (large_) {
        for (const std::int32_t chain : *large_) {
          if (!visit(chain)) return;
        }
      } else {
        for (const std::int32_t chain : small_) {
          if (!visit(chain)) return;
        }
      }
    }

   private:
    static constexpr std::size_t kSmallLimit = 48;
    std::vector<std::int32_t> small_;  // sorted
    std::unique_ptr<std::set<std::int32_t>> large_;
  };

  // The cell number along one axis, and the range of cell numbers in which
  // an end within the tolerance of `coordinate` can lie.
  std::int64_t CellOf(double coordinate) const;
  void CellRange(double coordinate, std::int64_t& first, std::int64_t& last) const;
  CellKey KeyOf(const Point3& point) const;

  // The cell of `key`: its index in cells_, or -1 when none was made.
  std::int32_t FindCell(const CellKey& key) const;
  std::int32_t FindOrMakeCell(const CellKey& key);
  std::size_t SlotOf(const CellKey& key) const;
  void Grow();

  // A slot of the hash table (open addressing, linear probing) from cell
  // keys to cells. The key sits in the slot, so that a lookup reads one
  // place in memory.
  struct Slot {
    CellKey key;
    std::int32_t cell = -1;  // -1: free
  };

  double tolerance_;
  double cell_width_;
  std::vector<Point3> ends_;
  std::vector<std::int32_t> cell_of_chain_;
  std::vector<Members> cells_;
  std::vector<Slot> slots_;
  std::size_t slot_mask_ = 0;
};

}  // namespace quillmere
