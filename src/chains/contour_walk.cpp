#include "chains/contour_walk.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "chains/point_ends.h"

namespace quillmere {

namespace {

// A walk looks at this many directions on either side of the one it
// arrives in: the least turn is among the nearest, and the second guards
// against the rounding of the angles.
constexpr int kDirectionsPerSide = 2;

using Directions = std::set<std::pair<double, std::int32_t>>;

// Offers the lowest member of the group of equal directions from `first`
// on until `offer` takes one; true when it did.
template <typename Offer>
bool OfferDirection(const Directions& directions, Directions::const_iterator first, Offer& offer) {
  for (auto entry = first; entry != directions.end() && entry->first == first->first; ++entry) {
    if (offer(entry->second)) return true;
  }
  return false;
}

// Offers the directions nearest to `target` on either side, around the
// circle, until `offer` took kDirectionsPerSide on each side (ends that
// run back are refused and passed over).
template <typename Offer>
void OfferNearestDirections(const Directions& directions, double target, Offer offer) {
  if (directions.empty()) return;
  const auto start = directions.lower_bound({target, std::numeric_limits<std::int32_t>::min()});
  const std::size_t most = directions.size();
  int taken = 0;
  auto up = start;
  for (std::size_t groups = 0; taken < kDirectionsPerSide && groups < most; ++groups) {
    if (up == directions.end()) up = directions.begin();
    taken += OfferDirection(directions, up, offer) ? 1 : 0;
    up = directions.upper_bound({up->first, std::numeric_limits<std::int32_t>::max()});
  }
  taken = 0;
  auto down = start;
  for (std::size_t groups = 0; taken < kDirectionsPerSide && groups < most; ++groups) {
    if (down == directions.begin()) down = directions.end();
    --down;
    down = directions.lower_bound({down->first, std::numeric_limits<std::int32_t>::min()});
    taken += OfferDirection(directions, down, offer) ? 1 : 0;
  }
}

// A record taken into a chain, as the walk that took it travelled it:
// `against` from its end to its start.
struct Step {
  std::int32_t record = 0;
  bool against = false;
};

// Where a walk stands: the point it reached and how it arrived there; or,
// for the chain's other end, the point and how the chain leaves it in the
// walk's direction of travel.
struct WalkEnd {
  SpacePoint point;
  Heading heading;
};

double Distance(const SpacePoint& a, const SpacePoint& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                   (a.z - b.z) * (a.z - b.z));
}

// The best way on found so far: the nearest, then a record before closing
// the chain (a chain that passes its start where more records meet goes on
// through them, and fewer chains cover the drawing), then the least turn,
// then the lowest member.
class BestWay {
 public:
  static constexpr std::int32_t kNone = -2;
  static constexpr std::int32_t kClose = -1;

  void Consider(std::int32_t member, double distance, double turn) {
    const bool closing = member == kClose;
    const bool better =
        member_ == kNone || distance < distance_ ||
        (distance == distance_ &&
         (closing_ != closing ? !closing
                              : turn < turn_ || (turn == turn_ && member < member_)));
    if (!better) return;
    member_ = member;
    closing_ = closing;
    distance_ = distance;
    turn_ = turn;
  }
  std::int32_t Member() const { return member_; }
  // Whether a way `distance` away may still be better.
  bool MayBeat(double distance) const { return member_ == kNone || distance <= distance_; }

 private:
  std::int32_t member_ = kNone;
  bool closing_ = false;
  double distance_ = 0;
  double turn_ = 0;
};

class ContourWalker {
 public:
  ContourWalker(std::span<const ChainRecord> records, std::span<const PlanePoints> inner_points,
                double tolerance, double extent, ChainLists& chains)
      : records_(records),
        inner_points_(inner_points),
        tolerance_(tolerance),
        ends_(records, tolerance, extent),
        taken_(records.size(), 0),
        chains_(chains) {}

  void Run() {
    for (std::int32_t record = 0; record < Count(); ++record) {
      if (At(record).group != kNoJoinGroup && taken_[static_cast<std::size_t>(record)] == 0) {
        Grow(record);
      }
    }
  }

 private:
  std::int32_t Count() const { return static_cast<std::int32_t>(records_.size()); }
  const ChainRecord& At(std::int32_t record) const {
    return records_[static_cast<std::size_t>(record)];
  }

  void Take(std::int32_t record) {
    taken_[static_cast<std::size_t>(record)] = 1;
    ends_.Remove(record);
  }

  // A closed chain keeps the vertex where it enters each record and those
  // between the record's ends.
  void AddToOutline(std::int32_t record, const SpacePoint& entry) {
    outline_.Add(entry);
    if (!inner_points_.empty()) outline_.Add(inner_points_[static_cast<std::size_t>(record)]);
    outline_has_arc_ = outline_has_arc_ || At(record).has_arc;
  }

  // Whether the chain, closed now, would enclose something.
  bool Encloses() const {
    return outline_.Count() >= 3 || (outline_.Count() == 2 && outline_has_arc_);
  }

  // Offers `way` the ends at `point`, `distance` from `at`: of those that
  // do not run back, the ones that can turn least.
  void OfferEnds(const PointEnds::EndsAt& ends, const SpacePoint& point, double distance,
                 const WalkEnd& at, BestWay& way) const {
    const auto offer = [&](std::int32_t member) {
      const Heading leaving = LeavingThrough(records_, member);
      if (RunsBack(at.heading, leaving, point.x - at.point.x, point.y - at.point.y, tolerance_)) {
        return false;
      }
      way.Consider(member, distance, TurnAngle(at.heading, leaving));
      return true;
    };
    if (ends.crowd == nullptr) {
      for (const std::int32_t member : ends.members) {
        if (ends_.IsLive(member)) offer(member);
      }
      return;
    }
    // Without a direction on either side every turn counts as a right
    // angle: the lowest member that fits.
    const PointEnds::Crowd& crowd = *ends.crowd;
    for (const std::int32_t member : crowd.without_direction) {
      if (offer(member)) break;
    }
    if (at.heading.dx == 0 && at.heading.dy == 0) {
      for (const std::int32_t member : crowd.members) {
        if (offer(member)) break;
      }
      return;
    }
    OfferNearestDirections(crowd.by_direction, std::atan2(at.heading.dy, at.heading.dx), offer);
  }

  // The best way on from `at`; `home` may be closed to when `may_close`.
  std::int32_t BestWayOn(std::int32_t group, const WalkEnd& at, const WalkEnd& home,
                         bool may_close) const {
    BestWay way;
    if (may_close && Distance(at.point, home.point) < tolerance_ &&
        !RunsBack(at.heading, home.heading, home.point.x - at.point.x, home.point.y - at.point.y,
                  tolerance_)) {
      way.Consider(BestWay::kClose, Distance(at.point, home.point),
                   TurnAngle(at.heading, home.heading));
    }
    ends_.ForEachPointWithin(group, at.point,
                             [&](const SpacePoint& point, const PointEnds::EndsAt& ends) {
                               const double distance = Distance(at.point, point);
                               if (distance < tolerance_ && way.MayBeat(distance)) {
                                 OfferEnds(ends, point, distance, at, way);
                               }
                             });
    return way.Member();
  }

  // Walks on from `at` while a record fits, appending the records taken to
  // `steps`; `at` ends where the walk stopped. True when it came back home.
  // The walk `ahead` goes the chain's way and enters each record, as the
  // chain does, where it reaches it; the walk behind the chain's start goes
  // against it, and the chain enters each record where the walk leaves it.
  bool Extend(std::int32_t group, WalkEnd& at, const WalkEnd& home, bool ahead,
              std::vector<Step>& steps) {
    for (;;) {
      const std::int32_t member = BestWayOn(group, at, home, Encloses());
      if (member == BestWay::kNone) return false;
      if (member == BestWay::kClose) return true;
      const std::int32_t record = RecordOf(member);
      const ChainRecord& piece = At(record);
      const bool against = IsEndMember(member);
      Take(record);
      steps.push_back({record, against});
      at = against ? WalkEnd{piece.start, Reversed(piece.leaving)} : WalkEnd{piece.end, piece.arriving};
      AddToOutline(record, ahead ? (against ? piece.end : piece.start) : at.point);
    }
  }

  // The chain of `seed`: grown at its end, then at its start, and linked
  // from its first record on.
  void Grow(std::int32_t seed) {
    const ChainRecord& piece = At(seed);
    Take(seed);
    ahead_.clear();
    behind_.clear();
    outline_ = {};
    outline_has_arc_ = false;
    AddToOutline(seed, piece.start);
    WalkEnd end{piece.end, piece.arriving};
    bool closed = Extend(piece.group, end, {piece.start, piece.leaving}, true, ahead_);
    if (!closed) {
      WalkEnd start{piece.start, Reversed(piece.leaving)};
      closed = Extend(piece.group, start, {end.point, Reversed(end.heading)}, false, behind_);
    }
    // The walk behind the seed travelled against the chain's direction.
    const std::int32_t head = behind_.empty() ? seed : behind_.back().record;
    if (!behind_.empty() && !behind_.back().against) chains_.SetReversed(head);
    const auto link = [&](std::int32_t record, bool reversed) {
      if (record == head) return;
      chains_.Attach(record, head);
      if (reversed) chains_.SetReversed(record);
    };
    for (auto step = behind_.rbegin(); step != behind_.rend(); ++step) {
      link(step->record, !step->against);
    }
    link(seed, false);
    for (const Step& step : ahead_) link(step.record, step.against);
    if (closed) chains_.SetClosed(head);
  }

  std::span<const ChainRecord> records_;
  std::span<const PlanePoints> inner_points_;
  double tolerance_;
  PointEnds ends_;
  std::vector<std::uint8_t> taken_;
  ChainLists& chains_;
  // The chain being grown: its records ahead of its first one and behind
  // it, and the points it would keep, closed.
  std::vector<Step> ahead_;
  std::vector<Step> behind_;
  PlanePoints outline_;
  bool outline_has_arc_ = false;
};

}  // namespace

void WalkContours(std::span<const ChainRecord> records,
                  std::span<const PlanePoints> inner_points, double tolerance, double extent,
                  ChainLists& chains) {
  ContourWalker walker(records, inner_points, tolerance, extent, chains);
  walker.Run();
}

}  // namespace quillmere
