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
  void Add(const SpacePoint& point) { Add(point.x, point.y); }

  void Add(const PlanePoints& other) {
    for (std::uint8_t k = 0; k < other.count_; ++k) Add(other.points_[k].x, other.points_[k].y);
  }

  // 0 to 3; 3 for three or more.
  std::int32_t Count() const { return count_; }

 private:
  struct Point {
    double x = 0;
    double y = 0;
  };

  void Add(double x, double y) {
    if (count_ == kMost) return;
    for (std::uint8_t k = 0; k < count_; ++k) {
      if (points_[k].x == x && points_[k].y == y) return;
    }
    points_[count_++] = {x, y};
  }

  static constexpr std::uint8_t kMost = 3;
  std::array<Point, kMost> points_{};
  std::uint8_t count_ = 0;
};

}  // namespace quillmere
