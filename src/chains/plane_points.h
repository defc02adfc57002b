#pragma once

#include <array>
#include <cstdint>

#include "chains/space_point.h"

namespace quillmere {

// Up to three points that differ in x or y: as many as it takes to tell
// whether a closed chain through them encloses anything in the plane of
// the drawing. Points that differ in z alone count once.
class PlanePoints {
 public:
  void Add(const SpacePoint& point) {
    if (count_ == kMost) return;
    for (std::uint8_t k = 0; k < count_; ++k) {
      if (points_[k].x == point.x && points_[k].y == point.y) return;
    }
    points_[count_++] = point;
  }

  void Add(const PlanePoints& other) {
    for (std::uint8_t k = 0; k < other.count_; ++k) Add(other.points_[k]);
  }

  // 0 to 3; 3 for three or more.
  std::int32_t Count() const { return count_; }

 private:
  static constexpr std::uint8_t kMost = 3;
  std::array<SpacePoint, kMost> points_{};
  std::uint8_t count_ = 0;
};

}  // namespace quillmere
