#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/trimmed.h"

namespace quillmere {

// The changes a writer makes to pairs of the input outside the entities its
// job replaces, so that nothing in the output points at what the job took
// away: objects left out whole, references left out or pointing at nothing,
// owners changed. Made by FindDrawingEdits (dxf/reference_cleanup.h).

// Bytes [begin, end) of the input, whole pairs, give way to the pair (code,
// value) when `keeps_pair`, to nothing otherwise.
struct PairEdit {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  bool keeps_pair = false;
  std::string code;  // the code line as read
  std::string value;
};

class DrawingEdits {
 public:
  // `edits` in file order, none overlapping another; `gone`: the handles
  // (HandleKey) of the entities and objects the output no longer has;
  // `reactors_gone`: those whose entries in reactor lists go (the gone ones
  // and the hatches that lost their association).
  DrawingEdits(std::vector<PairEdit> edits, std::vector<std::uint64_t> gone,
               std::vector<std::uint64_t> reactors_gone);
  DrawingEdits() = default;

  bool Empty() const { return edits_.empty(); }
  std::span<const PairEdit> Edits() const { return edits_; }

  // The index of the first edit that ends behind `offset`.
  std::size_t FirstEndingAfter(std::int64_t offset) const;

  // For a reference (a value of group 330 to 369) in an entity that a
  // writer passes on itself: whether a reactor entry naming `value` goes,
  // and whether any other reference naming it is to point at nothing ("0"),
  // as a CAD program writes a reference to an erased object.
  bool DropsReactor(std::string_view value) const;
  bool IsGone(std::string_view value) const;

 private:
  std::vector<PairEdit> edits_;
  std::vector<std::uint64_t> gone_;
  std::vector<std::uint64_t> reactors_gone_;
};

// Calls `bytes(from, to)` for the parts of input bytes [begin, end) that no
// edit touches and `replace(edit)` for every edit that begins inside it, in
// file order. Without edits that is one call of `bytes` for the whole range.
template <typename Bytes, typename Replace>
void ForEachEditedPart(const DrawingEdits* edits, std::int64_t begin, std::int64_t end,
                       Bytes&& bytes, Replace&& replace) {
  if (edits != nullptr && !edits->Empty()) {
    const std::span<const PairEdit> all = edits->Edits();
    for (std::size_t k = edits->FirstEndingAfter(begin); k < all.size() && all[k].begin < end;
         ++k) {
      const PairEdit& edit = all[k];
      if (edit.begin > begin) bytes(begin, edit.begin);
      // An edit that began in front of the range belongs to the part that
      // holds its start.
      if (edit.begin >= begin) replace(edit);
      begin = std::max(begin, edit.end);
    }
  }
  if (begin < end) bytes(begin, end);
}

// Walks the edits along a copy that goes through the input in order.
class EditCursor {
 public:
  explicit EditCursor(const DrawingEdits* edits) {
    if (edits != nullptr) edits_ = edits->Edits();
  }

  // The edit that begins at `offset`, a pair's offset; nothing when none
  // does. Edits in front of it, inside entities that were replaced, are
  // passed over.
  const PairEdit* At(std::int64_t offset) {
    while (next_ < edits_.size() && edits_[next_].begin < offset) ++next_;
    return next_ < edits_.size() && edits_[next_].begin == offset ? &edits_[next_] : nullptr;
  }

 private:
  std::span<const PairEdit> edits_;
  std::size_t next_ = 0;
};

// The pairs of one entity that a writer has read as text rather than in
// place (the line job's records), passed on with the same rules as the
// edits: reactor entries to what is gone are left out (the whole list when
// none stays), any other reference to what is gone points at nothing.
class EntityReferenceFilter {
 public:
  explicit EntityReferenceFilter(const DrawingEdits& edits) : edits_(edits) {}

  // Takes the next pair; calls `emit(code, value)` for what is passed on,
  // now or when the reactor list it opened closes.
  template <typename Emit>
  void Take(std::string_view code, std::string_view value, Emit&& emit);

  // Passes on what is held at the end of the entity (a reactor list that
  // never closed).
  template <typename Emit>
  void Finish(Emit&& emit);

 private:
  const DrawingEdits& edits_;
  bool in_reactors_ = false;
  bool any_dropped_ = false;
  bool any_kept_ = false;
  std::vector<std::pair<std::string, std::string>> held_;
};

// Whether a code line names a reference: groups 330 to 369.
bool IsReferenceCode(std::string_view code);

template <typename Emit>
void EntityReferenceFilter::Take(std::string_view code, std::string_view value, Emit&& emit) {
  const bool group_marker = Trimmed(code) == "102";
  if (!in_reactors_) {
    if (group_marker && Trimmed(value) == "{ACAD_REACTORS") {
      in_reactors_ = true;
      any_dropped_ = any_kept_ = false;
      held_.clear();
      held_.emplace_back(code, value);
      return;
    }
    if (IsReferenceCode(code) && edits_.IsGone(value)) {
      emit(code, std::string_view("0"));
    } else {
      emit(code, value);
    }
    return;
  }
  if (group_marker) {
    held_.emplace_back(code, value);
    in_reactors_ = false;
    // A list whose every entry goes goes with them.
    if (any_kept_ || !any_dropped_) {
      for (const auto& [held_code, held_value] : held_) emit(held_code, held_value);
    }
    held_.clear();
    return;
  }
  if (IsReferenceCode(code) && edits_.DropsReactor(value)) {
    any_dropped_ = true;
    return;
  }
  any_kept_ = true;
  held_.emplace_back(code, value);
}

template <typename Emit>
void EntityReferenceFilter::Finish(Emit&& emit) {
  for (const auto& [held_code, held_value] : held_) emit(held_code, held_value);
  held_.clear();
  in_reactors_ = false;
}

}  // namespace quillmere
