#include "dxf/reference_cleanup.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "dxf/handle_text.h"
#include "dxf/pair_stream.h"

namespace quillmere {

namespace {

// A set of handles: the many handles of consumed entities sorted, the few
// objects they own beside them.
class HandleSet {
 public:
  explicit HandleSet(std::vector<std::uint64_t> sorted) : sorted_(std::move(sorted)) {
    std::sort(sorted_.begin(), sorted_.end());
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
  }
  bool Contains(std::uint64_t handle) const {
    return std::binary_search(sorted_.begin(), sorted_.end(), handle) || added_.contains(handle);
  }
  bool Insert(std::uint64_t handle) { return !Contains(handle) && added_.insert(handle).second; }
  std::vector<std::uint64_t> All() const {
    std::vector<std::uint64_t> all = sorted_;
    all.insert(all.end(), added_.begin(), added_.end());
    return all;
  }
  const std::vector<std::uint64_t>& Sorted() const { return sorted_; }

 private:
  std::vector<std::uint64_t> sorted_;
  std::unordered_set<std::uint64_t> added_;
};

// The handles of the consumed entities and of every object they own,
// directly or through the objects they own: by owner (330) and by the hard
// entries (360) of dictionaries.
HandleSet GoneHandles(const ReferenceIndex& index) {
  HandleSet gone(index.consumed_handles);
  std::vector<std::uint64_t> todo = gone.Sorted();
  std::vector<std::pair<std::uint64_t, std::uint64_t>> owned;  // (owner, owned)
  for (const ScannedRecord& record : index.records) {
    if (record.in_objects && record.handle != 0 && record.owner != 0) {
      owned.emplace_back(record.owner, record.handle);
    }
  }
  for (const ScannedReference& reference : index.references) {
    const ScannedRecord& record = index.records[reference.record];
    const bool hard_entry = reference.kind == ReferenceKind::kDictionaryEntry &&
                            reference.group_code == 360;
    if (hard_entry && record.handle != 0) owned.emplace_back(record.handle, reference.target);
  }
  std::sort(owned.begin(), owned.end());
  while (!todo.empty()) {
    const std::uint64_t owner = todo.back();
    todo.pop_back();
    auto child = std::lower_bound(owned.begin(), owned.end(), std::make_pair(owner, std::uint64_t{0}));
    for (; child != owned.end() && child->first == owner; ++child) {
      if (gone.Insert(child->second)) todo.push_back(child->second);
    }
  }
  return gone;
}

// A value of zero as wide as `value` was.
std::string ZeroLike(std::string_view value) {
  std::string zero(value.empty() ? 0 : value.size() - 1, ' ');
  zero.push_back('0');
  return zero;
}

PairEdit Removal(std::int64_t begin, std::int64_t end) { return PairEdit{begin, end, false, {}, {}}; }

PairEdit NewValue(std::int64_t begin, std::int64_t end, const std::string& code, std::string value) {
  return PairEdit{begin, end, true, code, std::move(value)};
}

class EditBuilder {
 public:
  explicit EditBuilder(const ReferenceIndex& index)
      : index_(index), gone_(GoneHandles(index)), removed_(index.records.size(), false),
        dissociated_(index.records.size(), false) {}

  DrawingEdits Build() {
    RemoveObjects();
    FindDissociatedHatches();
    EditReferences();
    EditHatches();
    ChangeOwners();
    std::sort(edits_.begin(), edits_.end(),
              [](const PairEdit& a, const PairEdit& b) { return a.begin < b.begin; });
    // Overlapping edits would write parts twice; the earlier one wins.
    std::vector<PairEdit> edits;
    for (PairEdit& edit : edits_) {
      if (!edits.empty() && edit.begin < edits.back().end) continue;
      edits.push_back(std::move(edit));
    }
    std::vector<std::uint64_t> gone = gone_.All();
    std::vector<std::uint64_t> reactors_gone = gone;
    for (std::size_t r = 0; r < index_.records.size(); ++r) {
      if (dissociated_[r]) reactors_gone.push_back(index_.records[r].handle);
    }
    return DrawingEdits(std::move(edits), std::move(gone), std::move(reactors_gone));
  }

 private:
  bool Gone(std::uint64_t handle) const { return gone_.Contains(handle); }
  // Whether the record is written at all: objects that go are left out
  // whole.
  bool Written(std::uint32_t record) const { return !removed_[record]; }

  void RemoveObjects() {
    for (std::size_t r = 0; r < index_.records.size(); ++r) {
      const ScannedRecord& record = index_.records[r];
      if (!record.in_objects || !Gone(record.handle)) continue;
      removed_[r] = true;
      edits_.push_back(Removal(record.begin, record.end));
    }
  }

  void FindDissociatedHatches() {
    for (const ScannedReference& reference : index_.references) {
      if (reference.kind == ReferenceKind::kHatchBoundary && Written(reference.record) &&
          Gone(reference.target)) {
        dissociated_[reference.record] = true;
      }
    }
  }

  bool ReactorGoes(std::uint64_t target) const {
    if (Gone(target)) return true;
    const auto hatch = hatch_handles_.find(target);
    return hatch != hatch_handles_.end();
  }

  void EditReferences() {
    for (std::size_t r = 0; r < index_.records.size(); ++r) {
      if (dissociated_[r] && index_.records[r].handle != 0) {
        hatch_handles_.insert(index_.records[r].handle);
      }
    }
    // A reactor list whose every entry goes goes whole.
    std::vector<std::uint8_t> entries(index_.reactor_lists.size(), 0);  // 1 some go, 2 some stay
    for (const ScannedReference& reference : index_.references) {
      if (reference.kind != ReferenceKind::kReactor || !Written(reference.record)) continue;
      entries[reference.list] |= ReactorGoes(reference.target) ? 1 : 2;
    }
    std::vector<bool> list_removed(index_.reactor_lists.size(), false);
    for (std::size_t l = 0; l < entries.size(); ++l) {
      const ReactorList& list = index_.reactor_lists[l];
      if (entries[l] != 1 || list.has_other_entries) continue;
      list_removed[l] = true;
      edits_.push_back(Removal(list.begin, list.end));
    }
    for (const ScannedReference& reference : index_.references) {
      if (!Written(reference.record)) continue;
      switch (reference.kind) {
        case ReferenceKind::kReactor:
          if (!list_removed[reference.list] && ReactorGoes(reference.target)) {
            edits_.push_back(Removal(reference.begin, reference.end));
          }
          break;
        case ReferenceKind::kGroupEntry:
        case ReferenceKind::kDictionaryEntry:
        case ReferenceKind::kSortentsEntry:
          if (Gone(reference.target)) edits_.push_back(Removal(reference.begin, reference.end));
          break;
        case ReferenceKind::kHatchBoundary:
          if (dissociated_[reference.record]) {
            edits_.push_back(Removal(reference.begin, reference.end));
          }
          break;
        case ReferenceKind::kXdictionary:
        case ReferenceKind::kOther:
          if (Gone(reference.target)) {
            edits_.push_back(NewValue(reference.begin, reference.end, reference.code, "0"));
          }
          break;
      }
    }
  }

  void EditHatches() {
    for (const ScannedPair& pair : index_.hatch_pairs) {
      if (!dissociated_[pair.record] || !Written(pair.record)) continue;
      edits_.push_back(NewValue(pair.begin, pair.end, pair.code, ZeroLike(pair.value)));
    }
  }

  // A moved entity that named the entity it came from as its owner names
  // the one it moved into; one that named another (a writer may give
  // VERTEX entities the block's record) still can.
  void ChangeOwners() {
    const std::vector<std::int64_t>& starts = index_.owner_starts;
    for (const ScannedPair& pair : index_.owners) {
      if (!Written(pair.record) || !Gone(HandleKey(pair.value).value_or(0))) continue;
      const auto at = std::lower_bound(starts.begin(), starts.end(), pair.new_owner);
      if (at == starts.end() || *at != pair.new_owner) continue;
      const std::string& handle = index_.owner_handles[static_cast<std::size_t>(at - starts.begin())];
      if (handle.empty()) continue;
      edits_.push_back(NewValue(pair.begin, pair.end, pair.code, handle));
    }
  }

  const ReferenceIndex& index_;
  const HandleSet gone_;
  std::vector<bool> removed_;
  std::vector<bool> dissociated_;  // hatches that lose their association
  std::unordered_set<std::uint64_t> hatch_handles_;
  std::vector<PairEdit> edits_;
};

}  // namespace

DrawingEdits EditsFor(const ReferenceIndex& index) { return EditBuilder(index).Build(); }

Result<DrawingEdits> FindDrawingEdits(const JobInput& input, const ConsumedEntities& consumed,
                                      JobObserver* observer) {
  if (consumed.Empty()) return DrawingEdits{};
  PairStream pairs(input, 0, ProgressTap(observer, JobPhase::kReading, input.Size()));
  const ReferenceIndex index = ScanReferences(pairs, consumed);
  RETURN_IF_FAILED(input.Intact());
  return EditsFor(index);
}

}  // namespace quillmere
