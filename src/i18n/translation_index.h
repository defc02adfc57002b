#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// One entry of the index: a copy of a row's German text, taken when the
// entry was made, and the number of that row.
struct IndexEntry {
  std::u16string key;
  std::int32_t row = 0;
};

// The index of the translation table: 256 buckets chosen by the low 8 bits
// of the first UTF-16 code unit of the German text. Lookups scan one bucket
// from the first entry to the last, so the first matching entry wins; the
// buckets are sorted once at start and new entries go to the end.
class TranslationIndex {
 public:
  static constexpr int kBucketCount = 256;

  // The bucket of a non-empty text.
  static int BucketOf(std::u16string_view text) { return text.front() & 0xFF; }

  // Appends an entry to the end of the bucket of `key`. False for an empty
  // key, which has no bucket, and when memory ran out.
  bool Add(std::u16string_view key, std::int32_t row);

  // The row of the first entry whose key equals `key` exactly.
  std::optional<std::int32_t> Find(std::u16string_view key);

  // Quicksort with Hoare partitioning of entries lo..hi of one bucket by key,
  // comparing UTF-16 code units as unsigned numbers. A range outside the
  // bucket changes nothing.
  void SortBucket(int bucket, std::int32_t lo, std::int32_t hi);

  // Sorts every bucket that holds entries.
  void SortAllBuckets();

  // Follows the deletion of table row `row`: its entries go, and every entry
  // for a row behind it moves up by one.
  void RemoveRow(std::int32_t row);

  std::uint32_t BucketSize(int bucket) const {
    return static_cast<std::uint32_t>(buckets_[Slot(bucket)].size());
  }
  const IndexEntry& Entry(int bucket, std::uint32_t index) const {
    return buckets_[Slot(bucket)][index];
  }

 private:
  using Bucket = std::vector<IndexEntry>;
  static std::size_t Slot(int bucket) { return static_cast<std::size_t>(bucket); }

  std::array<Bucket, kBucketCount> buckets_;
};

}  // namespace quillmere
