#include "dxf/reference_scan.h"

#include <algorithm>
#include <optional>

#include "dxf/handle_text.h"
#include "support/trimmed.h"

namespace quillmere {

namespace {

// The group code of a code line; -1 for one that is none (or negative).
// Every pair of the file passes here, so the digits are read in one go
// rather than trimmed first.
int CodeOf(std::string_view line) {
  const char* at = line.data();
  const char* const end = at + line.size();
  while (at < end && static_cast<unsigned char>(*at) <= 32) ++at;
  int code = 0;
  int digits = 0;
  for (; at < end && *at >= '0' && *at <= '9'; ++at) {
    if (++digits > 4) return -1;
    code = code * 10 + (*at - '0');
  }
  while (at < end && static_cast<unsigned char>(*at) <= 32) ++at;
  return digits > 0 && at == end ? code : -1;
}

RecordKind KindOf(std::string_view type) {
  if (type == "HATCH") return RecordKind::kHatch;
  if (type == "GROUP") return RecordKind::kGroup;
  if (type == "DICTIONARY" || type == "ACDBDICTIONARYWDFLT") return RecordKind::kDictionary;
  if (type == "SORTENTSTABLE") return RecordKind::kSortentsTable;
  return RecordKind::kOther;
}

// Which application group (102 {NAME ... 102 }) the pairs are in.
enum class AppGroup : std::uint8_t { kNone, kReactors, kXdictionary, kOther };

// Walks ascending offsets along a walk through the file.
template <typename Item, typename Start>
std::size_t Advance(const std::vector<Item>& items, std::size_t at, std::int64_t offset,
                    Start start) {
  while (at < items.size() && start(items[at]) < offset) ++at;
  return at;
}

class Scanner {
 public:
  Scanner(const ConsumedEntities& consumed, ReferenceIndex& index)
      : consumed_(consumed), index_(index) {
    for (const ConsumedEntities::NewOwner& moved : consumed.new_owners) {
      index.owner_starts.push_back(moved.owner);
    }
    std::sort(index.owner_starts.begin(), index.owner_starts.end());
    index.owner_starts.erase(std::unique(index.owner_starts.begin(), index.owner_starts.end()),
                             index.owner_starts.end());
    index.owner_handles.resize(index.owner_starts.size());
  }

  void Take(const PairView& pair) {
    const int code = CodeOf(pair.code);
    if (code == 0) {
      EndRecord(pair.offset);
      StartRecord(pair);
      return;
    }
    if (!open_) return;
    if (consumed_record_) {
      TakeConsumedPair(pair, code);
      return;
    }
    // Some pairs mean something only right behind another.
    const std::int64_t name_begin = name_begin_;
    name_begin_ = -1;
    const bool after_count = after_count_;
    after_count_ = false;
    const std::int64_t sortents_entry = sortents_entry_;
    sortents_entry_ = -1;
    const bool after_section_start = after_section_start_;
    after_section_start_ = false;
    switch (code) {
      case 2:
        if (after_section_start) in_objects_ = Trimmed(pair.value) == "OBJECTS";
        break;
      case 3:
        if (record_.kind == RecordKind::kDictionary) name_begin_ = pair.offset;
        break;
      case 5:
        TakeHandle(pair, sortents_entry);
        break;
      case 71:
      case 97:
        TakeHatchPair(pair, code);
        break;
      case 100:
        ++markers_;
        break;
      case 102:
        TakeGroupMarker(pair);
        break;
      default:
        if (code >= 330 && code <= 369) {
          TakeReference(pair, code, name_begin, after_count);
        } else if (group_ == AppGroup::kReactors) {
          index_.reactor_lists[list_].has_other_entries = true;
        }
        break;
    }
  }

  void Finish(std::int64_t end) { EndRecord(end); }

 private:
  void StartRecord(const PairView& pair) {
    const std::string_view type = Trimmed(pair.value);
    if (type == "ENDSEC") in_objects_ = false;
    after_section_start_ = type == "SECTION";
    open_ = true;
    record_ = ScannedRecord{};
    record_.begin = pair.offset;
    record_.kind = KindOf(type);
    record_.in_objects = in_objects_;
    keep_ = false;
    markers_ = 0;
    handle_seen_ = owner_seen_ = false;
    group_ = AppGroup::kNone;
    name_begin_ = -1;
    after_count_ = flag_seen_ = false;
    sortents_entry_ = -1;
    const std::vector<std::int64_t>& starts = consumed_.starts;
    next_consumed_ = Advance(starts, next_consumed_, pair.offset, [](std::int64_t at) { return at; });
    consumed_record_ = next_consumed_ < starts.size() && starts[next_consumed_] == pair.offset;
    const auto& moved = consumed_.new_owners;
    next_moved_ = Advance(moved, next_moved_, pair.offset + 1,
                          [](const ConsumedEntities::NewOwner& item) { return item.end; });
    new_owner_ = next_moved_ < moved.size() && moved[next_moved_].begin <= pair.offset
                     ? moved[next_moved_].owner
                     : -1;
    const std::vector<std::int64_t>& owners = index_.owner_starts;
    next_owner_ = Advance(owners, next_owner_, pair.offset, [](std::int64_t at) { return at; });
    owning_ = next_owner_ < owners.size() && owners[next_owner_] == pair.offset;
  }

  void EndRecord(std::int64_t end) {
    if (!open_) return;
    open_ = false;
    if (consumed_record_) return;
    record_.end = end;
    if (keep_ || (record_.in_objects && record_.handle != 0)) index_.records.push_back(record_);
  }

  // A consumed entity's handle and its extension dictionary.
  void TakeConsumedPair(const PairView& pair, int code) {
    if (code == 102) {
      TakeGroupMarker(pair);
    } else if (code == 5 && !handle_seen_) {
      handle_seen_ = true;
      if (const auto handle = HandleKey(pair.value)) index_.consumed_handles.push_back(*handle);
    } else if (code == 360 && group_ == AppGroup::kXdictionary) {
      if (const auto handle = HandleKey(pair.value)) index_.consumed_handles.push_back(*handle);
    }
  }

  std::uint32_t RecordIndex() {
    keep_ = true;
    return static_cast<std::uint32_t>(index_.records.size());
  }

  void TakeHandle(const PairView& pair, std::int64_t sortents_entry) {
    // A SORTENTSTABLE's sort handle follows each of its entries.
    if (sortents_entry >= 0) {
      index_.references[static_cast<std::size_t>(sortents_entry)].end = pair.end;
      return;
    }
    if (handle_seen_ || markers_ > 0) return;
    handle_seen_ = true;
    record_.handle = HandleKey(pair.value).value_or(0);
    if (owning_) index_.owner_handles[next_owner_] = std::string(Trimmed(pair.value));
  }

  void TakeGroupMarker(const PairView& pair) {
    const std::string_view value = Trimmed(pair.value);
    if (!value.empty() && value.front() == '{') {
      group_ = value == "{ACAD_REACTORS"      ? AppGroup::kReactors
               : value == "{ACAD_XDICTIONARY" ? AppGroup::kXdictionary
                                              : AppGroup::kOther;
      if (group_ == AppGroup::kReactors && !consumed_record_) {
        list_ = static_cast<std::uint32_t>(index_.reactor_lists.size());
        index_.reactor_lists.push_back({pair.offset, pair.end, false});
      }
      return;
    }
    if (group_ == AppGroup::kReactors && !consumed_record_) {
      index_.reactor_lists[list_].end = pair.end;
    }
    group_ = AppGroup::kNone;
  }

  void TakeHatchPair(const PairView& pair, int code) {
    if (record_.kind != RecordKind::kHatch || group_ != AppGroup::kNone) return;
    if (code == 97) {
      after_count_ = true;
    } else if (flag_seen_) {
      return;
    } else {
      flag_seen_ = true;
    }
    index_.hatch_pairs.push_back({pair.offset, pair.end, RecordIndex(), std::string(pair.code),
                                  std::string(pair.value)});
  }

  void TakeReference(const PairView& pair, int code, std::int64_t name_begin, bool after_count) {
    if (code == 330 && group_ == AppGroup::kNone && !owner_seen_ && markers_ < 2) {
      owner_seen_ = true;
      TakeOwner(pair);
      return;
    }
    if (record_.kind == RecordKind::kHatch && code == 330 && group_ == AppGroup::kNone &&
        after_count) {
      after_count_ = true;  // the next boundary object may follow
    }
    const std::optional<std::uint64_t> target = HandleKey(pair.value);
    if (!target) {
      if (group_ == AppGroup::kReactors) index_.reactor_lists[list_].has_other_entries = true;
      return;
    }
    ScannedReference reference;
    reference.begin = pair.offset;
    reference.end = pair.end;
    reference.target = *target;
    reference.record = RecordIndex();
    reference.group_code = static_cast<std::int16_t>(code);
    reference.code = std::string(pair.code);
    reference.kind = KindOfReference(code, name_begin, after_count);
    if (reference.kind == ReferenceKind::kReactor) reference.list = list_;
    if (reference.kind == ReferenceKind::kDictionaryEntry) reference.begin = name_begin;
    if (reference.kind == ReferenceKind::kSortentsEntry) {
      sortents_entry_ = static_cast<std::int64_t>(index_.references.size());
    }
    index_.references.push_back(std::move(reference));
  }

  ReferenceKind KindOfReference(int code, std::int64_t name_begin, bool after_count) const {
    switch (group_) {
      case AppGroup::kReactors: return ReferenceKind::kReactor;
      case AppGroup::kXdictionary: return ReferenceKind::kXdictionary;
      case AppGroup::kOther: return ReferenceKind::kOther;
      case AppGroup::kNone: break;
    }
    switch (record_.kind) {
      case RecordKind::kGroup:
        if (code == 340) return ReferenceKind::kGroupEntry;
        break;
      case RecordKind::kDictionary:
        if ((code == 350 || code == 360) && name_begin >= 0) return ReferenceKind::kDictionaryEntry;
        break;
      case RecordKind::kSortentsTable:
        if (code == 331) return ReferenceKind::kSortentsEntry;
        break;
      case RecordKind::kHatch:
        if (code == 330 && after_count) return ReferenceKind::kHatchBoundary;
        break;
      case RecordKind::kOther: break;
    }
    return ReferenceKind::kOther;
  }

  void TakeOwner(const PairView& pair) {
    if (record_.in_objects) record_.owner = HandleKey(pair.value).value_or(0);
    if (new_owner_ < 0) return;
    ScannedPair owner{pair.offset, pair.end, RecordIndex(), std::string(pair.code),
                      std::string(pair.value)};
    owner.new_owner = new_owner_;
    index_.owners.push_back(std::move(owner));
  }

  const ConsumedEntities& consumed_;
  ReferenceIndex& index_;
  std::size_t next_consumed_ = 0;
  std::size_t next_moved_ = 0;
  std::size_t next_owner_ = 0;
  bool in_objects_ = false;
  bool after_section_start_ = false;

  // The record being read.
  bool open_ = false;
  bool consumed_record_ = false;
  ScannedRecord record_;
  bool keep_ = false;
  int markers_ = 0;
  bool handle_seen_ = false;
  bool owner_seen_ = false;
  AppGroup group_ = AppGroup::kNone;
  std::uint32_t list_ = 0;
  std::int64_t name_begin_ = -1;    // a dictionary's name pair, just read
  bool after_count_ = false;        // a hatch's 97 or boundary object just read
  bool flag_seen_ = false;
  std::int64_t sortents_entry_ = -1;  // a SORTENTSTABLE entry waiting for its sort handle
  std::int64_t new_owner_ = -1;
  bool owning_ = false;
};

}  // namespace

ReferenceIndex ScanReferences(PairStream& input, const ConsumedEntities& consumed) {
  ReferenceIndex index;
  Scanner scanner(consumed, index);
  std::int64_t read = 0;
  for (PairView pair; input.ReadPairView(pair); read = pair.end) scanner.Take(pair);
  scanner.Finish(read);
  return index;
}

}  // namespace quillmere
