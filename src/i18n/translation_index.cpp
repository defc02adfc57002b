#include "i18n/translation_index.h"

#include <new>
#include <utility>

namespace quillmere {

bool TranslationIndex::Add(std::u16string_view key, std::int32_t row) {
  if (key.empty()) return false;  // no first unit to choose a bucket by
  try {
    buckets_[Slot(BucketOf(key))].push_back({std::u16string(key.substr(0, key.find(u'\0'))), row});
  } catch (const std::bad_alloc&) {
    return false;  // the bucket stays as it was
  }
  return true;
}

std::optional<std::int32_t> TranslationIndex::Find(std::u16string_view key) {
  if (key.empty()) return std::nullopt;
  for (const IndexEntry& entry : buckets_[Slot(BucketOf(key))]) {
    if (entry.key == key) return entry.row;
  }
  return std::nullopt;
}

void TranslationIndex::SortBucket(int bucket_number, std::int32_t lo, std::int32_t hi) {
  if (bucket_number < 0 || bucket_number >= kBucketCount) return;
  Bucket& bucket = buckets_[Slot(bucket_number)];
  if (lo < 0 || hi < lo || static_cast<std::size_t>(hi) >= bucket.size()) return;
  const auto key = [&bucket](std::int32_t index) -> std::u16string_view {
    return bucket[static_cast<std::size_t>(index)].key;
  };
  // u16string_view compares code units as unsigned numbers, and a proper
  // prefix sorts first. The pivot is a copy: the swaps move the entries.
  const std::u16string pivot(key(lo + (hi - lo) / 2));
  std::int32_t i = lo;
  std::int32_t j = hi;
  do {
    while (key(i) < pivot) ++i;
    while (key(j) > pivot) --j;
    if (i <= j) {
      std::swap(bucket[static_cast<std::size_t>(i)], bucket[static_cast<std::size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (lo < j) SortBucket(bucket_number, lo, j);
  if (i < hi) SortBucket(bucket_number, i, hi);
}

void TranslationIndex::SortAllBuckets() {
  for (int bucket = 0; bucket < kBucketCount; ++bucket) {
    const std::uint32_t size = BucketSize(bucket);
    if (size > 0) SortBucket(bucket, 0, static_cast<std::int32_t>(size) - 1);
  }
}

void TranslationIndex::RemoveRow(std::int32_t row) {
  for (Bucket& bucket : buckets_) {
    std::erase_if(bucket, [row](const IndexEntry& entry) { return entry.row == row; });
    for (IndexEntry& entry : bucket) entry.row -= entry.row > row ? 1 : 0;
  }
}

}  // namespace quillmere
