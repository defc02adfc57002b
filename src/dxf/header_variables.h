#pragma once

#include <cstdint>
#include <string_view>

namespace quillmere {

// What the jobs that add entities to a drawing need of its header and its
// handles, picked out of a walk through its pairs in file order.

// The largest group-5 handle of the pairs shown to it, and whether any
// group-5 value reads as a handle at all. Handles that do not read are
// passed over.
class HandleTally {
 public:
  void Take(std::string_view code, std::string_view value);
  // The value of a group-5 pair.
  void TakeHandle(std::string_view value);

  std::int64_t Largest() const { return largest_; }
  bool Any() const { return any_; }

 private:
  std::int64_t largest_ = 0;
  bool any_ = false;
};

// Spots the value pair of the header variable $HANDSEED: the group-5 pair
// right after the pair (9, $HANDSEED) in the HEADER section. A writer that
// hands out new handles raises it above them, so that later editors of the
// drawing do not hand the same handles out again.
class HandleSeedSpotter {
 public:
  // Sees every pair in order; true for the seed's value pair.
  bool IsSeedValue(std::string_view code, std::string_view value);

 private:
  bool in_header_ = false;
  bool after_seed_name_ = false;
};

// Picks the format version out of the header: the value of the group-1
// pair that follows the pair (9, $ACADVER), without its first two
// characters ("AC1015" gives 1015). 0 while none was read.
class VersionCapture {
 public:
  void Apply(std::string_view code, std::string_view value);
  std::int32_t Version() const { return version_; }

 private:
  bool capturing_ = false;
  std::int32_t version_ = 0;
};

}  // namespace quillmere
