#include "i18n/translation_index.h"

#include <string>

#include "i18n/cell_text.h"

namespace quillmere {

TranslationIndex::~TranslationIndex() {
  for (RecordArray<IndexEntry>& bucket : buckets_) {
    bucket.First();
    while (bucket.WhileNext()) FreeCellText(bucket.current()->key);
  }
}

bool TranslationIndex::Add(std::u16string_view key, std::int32_t row) {
  if (key.empty()) return false;  // no first unit to choose a bucket by
  char16_t* const copy = NewCellText(key);
  IndexEntry* const entry = buckets_[Slot(BucketOf(key))].Add();
  if (entry == nullptr) {
    FreeCellText(copy);
    return false;
  }
  entry->key = copy;
  entry->row = row;
  return true;
}

std::optional<std::int32_t> TranslationIndex::Find(std::u16string_view key) {
  if (key.empty()) return std::nullopt;
  RecordArray<IndexEntry>& bucket = buckets_[Slot(BucketOf(key))];
  bucket.First();
  while (bucket.WhileNext()) {
    const IndexEntry& entry = *bucket.current();
    if (CellView(entry.key) == key) return entry.row;
  }
  return std::nullopt;
}

std::u16string_view TranslationIndex::Key(RecordArray<IndexEntry>& bucket, std::int32_t index) {
  return CellView(bucket.GetObject(static_cast<std::uint32_t>(index))->key);
}

void TranslationIndex::SortBucket(int bucket_number, std::int32_t lo, std::int32_t hi) {
  if (bucket_number < 0 || bucket_number >= kBucketCount) return;
  RecordArray<IndexEntry>& bucket = buckets_[Slot(bucket_number)];
  // Entries are reached without range checks below, so the range is checked
  // here once; the recursion always stays inside it.
  if (lo < 0 || hi < lo || static_cast<std::uint32_t>(hi) >= bucket.count()) return;
  // u16string_view compares code units as unsigned numbers, and a proper
  // prefix sorts first. The pivot is a copy: the swaps move the records.
  const std::u16string pivot(Key(bucket, lo + (hi - lo) / 2));
  std::int32_t i = lo;
  std::int32_t j = hi;
  do {
    while (Key(bucket, i) < pivot) ++i;
    while (Key(bucket, j) > pivot) --j;
    if (i <= j) {
      bucket.Change(i, j);
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
  for (RecordArray<IndexEntry>& bucket : buckets_) {
    // Delete clears the cursor, so this walk counts for itself.
    std::uint32_t index = 0;
    while (index < bucket.count()) {
      IndexEntry& entry = *bucket.GetObject(index);
      if (entry.row == row) {
        FreeCellText(entry.key);
        bucket.Delete(static_cast<std::int32_t>(index));
        continue;
      }
      if (entry.row > row) --entry.row;
      ++index;
    }
  }
}

}  // namespace quillmere
