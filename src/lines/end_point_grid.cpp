#include "lines/end_point_grid.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

namespace {

// Cells are this many tolerances wide: an end within the tolerance of a
// point then lies less than a quarter cell away from it.
constexpr double kCellsPerTolerance = 4;
// Cell numbers stay within ±2^47, where a double still resolves 1/32, so the
// rounding of x / width + 0.5 moves a point by at most 1/32 of a cell.
constexpr int kCellNumberBits = 47;
// Ends within the tolerance differ by less than 0.25 cells, plus twice the
// rounding above; the search reaches a little further than that.
constexpr double kSearchReach = 0.4375;
// Keeps the width a normal number for absurdly small coordinates.
constexpr double kSmallestWidth = 0x1p-1000;
// A guard for callers that understate the extent: cell numbers never leave
// the range of a 64-bit integer.
constexpr double kLargestPosition = 0x1p62;

std::int64_t FloorToCell(double position) {
  return static_cast<std::int64_t>(std::floor(std::clamp(position, -kLargestPosition, kLargestPosition)));
}

std::uint64_t Mix(std::uint64_t value) {
  value ^= value >> 33;
  value *= 0xff51afd7ed558ccdULL;
  value ^= value >> 33;
  value *= 0xc4ceb9fe1a85ec53ULL;
  value ^= value >> 33;
  return value;
}

}  // namespace

void EndPointGrid::Members::Insert(std::int32_t chain) {
  if (large_) {
    large_->insert(chain);
    return;
  }
  small_.insert(std::lower_bound(small_.begin(), small_.end(), chain), chain);
  if (small_.size() > kSmallLimit) {
    large_ = std::make_unique<std::set<std::int32_t>>(small_.begin(), small_.end());
    small_ = {};
  }
}

void EndPointGrid::Members::Erase(std::int32_t chain) {
  if (large_) {
    large_->erase(chain);
    return;
  }
  const auto found = std::lower_bound(small_.begin(), small_.end(), chain);
  if (found != small_.end() && *found == chain) small_.erase(found);
}

EndPointGrid::EndPointGrid(double tolerance, double extent, std::int32_t chains)
    : tolerance_(tolerance),
      ends_(static_cast<std::size_t>(chains)),
      cell_of_chain_(static_cast<std::size_t>(chains), -1) {
  cell_width_ = std::max({kCellsPerTolerance * tolerance, std::ldexp(extent, -kCellNumberBits),
                          kSmallestWidth});
  std::size_t slots = 16;
  while (slots < 2 * static_cast<std::size_t>(chains)) slots *= 2;
  slots_.assign(slots, Slot{});
  slot_mask_ = slots - 1;
  cells_.reserve(static_cast<std::size_t>(chains));
}

EndPointGrid::~EndPointGrid() = default;

std::int64_t EndPointGrid::CellOf(double coordinate) const {
  const double position = coordinate / cell_width_ + 0.5;
  // Points that can never match (infinite or NaN coordinates) go anywhere.
  if (!std::isfinite(position)) return 0;
  return FloorToCell(position);
}

void EndPointGrid::CellRange(double coordinate, std::int64_t& first, std::int64_t& last) const {
  const double position = coordinate / cell_width_ + 0.5;
  first = FloorToCell(position - kSearchReach);
  last = FloorToCell(position + kSearchReach);
}

EndPointGrid::CellKey EndPointGrid::KeyOf(const Point3& point) const {
  return {CellOf(point.x), CellOf(point.y), CellOf(point.z)};
}

std::size_t EndPointGrid::SlotOf(const CellKey& key) const {
  const std::uint64_t hash = Mix(static_cast<std::uint64_t>(key.x) * 0x9E3779B97F4A7C15ULL ^
                                 static_cast<std::uint64_t>(key.y) * 0xC2B2AE3D27D4EB4FULL ^
                                 static_cast<std::uint64_t>(key.z) * 0x165667B19E3779F9ULL);
  return static_cast<std::size_t>(hash) & slot_mask_;
}

std::int32_t EndPointGrid::FindCell(const CellKey& key) const {
  for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & slot_mask_) {
    const Slot& entry = slots_[slot];
    if (entry.cell < 0 || entry.key == key) return entry.cell;
  }
}

std::int32_t EndPointGrid::FindOrMakeCell(const CellKey& key) {
  std::size_t slot = SlotOf(key);
  for (;; slot = (slot + 1) & slot_mask_) {
    const Slot& entry = slots_[slot];
    if (entry.cell < 0) break;
    if (entry.key == key) return entry.cell;
  }
  const auto cell = static_cast<std::int32_t>(cells_.size());
  cells_.emplace_back();
  slots_[slot] = Slot{key, cell};
  if (2 * cells_.size() > slots_.size()) Grow();
  return cell;
}

void EndPointGrid::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  slot_mask_ = slots_.size() - 1;
  for (const Slot& entry : old) {
    if (entry.cell < 0) continue;
    std::size_t slot = SlotOf(entry.key);
    while (slots_[slot].cell >= 0) slot = (slot + 1) & slot_mask_;
    slots_[slot] = entry;
  }
}

void EndPointGrid::Insert(std::int32_t chain, const Point3& end) {
  const auto index = static_cast<std::size_t>(chain);
  const std::int32_t cell = FindOrMakeCell(KeyOf(end));
  cells_[static_cast<std::size_t>(cell)].Insert(chain);
  ends_[index] = end;
  cell_of_chain_[index] = cell;
}

void EndPointGrid::Erase(std::int32_t chain) {
  const auto index = static_cast<std::size_t>(chain);
  const std::int32_t cell = cell_of_chain_[index];
  if (cell < 0) return;
  cells_[static_cast<std::size_t>(cell)].Erase(chain);
  cell_of_chain_[index] = -1;
}

void EndPointGrid::TakeOver(std::int32_t to, std::int32_t from) {
  Erase(to);
  const auto t = static_cast<std::size_t>(to);
  const auto f = static_cast<std::size_t>(from);
  const std::int32_t cell = cell_of_chain_[f];
  Members& members = cells_[static_cast<std::size_t>(cell)];
  members.Erase(from);
  members.Insert(to);
  ends_[t] = ends_[f];
  cell_of_chain_[t] = cell;
  cell_of_chain_[f] = -1;
}

std::int32_t EndPointGrid::LowestMatch(const Point3& start, std::int32_t exclude) const {
  // A start with an infinite or NaN coordinate is within no box.
  if (!std::isfinite(start.x) || !std::isfinite(start.y) || !std::isfinite(start.z)) return -1;
  std::int64_t x_first, x_last, y_first, y_last, z_first, z_last;
  CellRange(start.x, x_first, x_last);
  CellRange(start.y, y_first, y_last);
  CellRange(start.z, z_first, z_last);

  std::int32_t best = -1;
  const auto better = [&](std::int32_t chain) {
    if (best >= 0 && chain >= best) return false;  // ascending: nothing lower follows
    if (chain == exclude) return true;
    if (!WithinBox(start, ends_[static_cast<std::size_t>(chain)], tolerance_)) return true;
    best = chain;
    return false;
  };
  for (std::int64_t x = x_first; x <= x_last; ++x) {
    for (std::int64_t y = y_first; y <= y_last; ++y) {
      for (std::int64_t z = z_first; z <= z_last; ++z) {
        const std::int32_t cell = FindCell({x, y, z});
        if (cell >= 0) cells_[static_cast<std::size_t>(cell)].Visit(better);
      }
    }
  }
  return best;
}

}  // namespace quillmere
