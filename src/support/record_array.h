#pragma once

#include <cstdint>
#include <type_traits>

#include "support/dyna_array.h"

namespace quillmere {

// A TDynaArray whose records are `Record`s, with the user's pointer variable
// built in: current() is the record the cursor was last placed on. Records
// are moved as raw bytes and start as all zero bytes, so `Record` must be a
// plain record for which that is a valid value (no constructors, no owning
// members).
template <typename Record>
class RecordArray {
  static_assert(std::is_trivially_copyable_v<Record>, "records are moved as raw bytes");
  static_assert(std::is_trivially_default_constructible_v<Record>, "records start as zero bytes");

 public:
  RecordArray() = default;
  RecordArray(const RecordArray&) = delete;
  RecordArray& operator=(const RecordArray&) = delete;

  std::uint32_t count() const { return array_.count(); }
  std::int32_t aobjnr() const { return array_.aobjnr(); }
  // The record the user's variable points at; null when there is none.
  Record* current() const { return static_cast<Record*>(current_); }

  Record* GetObject(std::uint32_t index) { return Typed(array_.GetObject(index)); }
  const Record& At(std::uint32_t index) const {
    return *static_cast<const Record*>(array_.At(index));
  }
  Record* Add() { return Typed(array_.Add()); }
  Record* Insert(std::int32_t nr) { return Typed(array_.Insert(nr)); }
  void Delete(std::int32_t nr) { array_.Delete(nr); }
  void Change(std::int32_t nr1, std::int32_t nr2) { array_.Change(nr1, nr2); }
  void Clear() { array_.Clear(); }
  void First() { array_.First(); }
  bool Next() { return array_.Next(); }
  bool WhileNext() { return array_.WhileNext(); }

  const TDynaArray& raw() const { return array_; }
  const std::optional<MemoryShortage>& LastShortage() const { return array_.LastShortage(); }

 private:
  static Record* Typed(void* record) { return static_cast<Record*>(record); }

  void* current_ = nullptr;
  TDynaArray array_{static_cast<std::uint32_t>(sizeof(Record)), &current_};
};

}  // namespace quillmere
