#pragma once

#include <cstdint>
#include <optional>

namespace quillmere {

// A growable array of fixed-size, untyped records in one contiguous,
// zero-filled block, with a built-in cursor.
//
// The array never looks inside its records and owns nothing they point to;
// records are moved as raw bytes. Every cursor move also stores the address
// of the current record in the pointer variable the user named at creation,
// so the user reaches the current record through that variable. The block
// grows and shrinks in steps of 100 records: it always holds `count` rounded
// up to a multiple of 100 records, and an empty array holds no block.
// Replacing the block makes record addresses taken earlier stale; only the
// user's variable follows it.
//
// Walking protocol: First(), then WhileNext() until it returns false. Inside
// the loop the user's variable points at the visited record and aobjnr() is
// one more than its index; after the loop aobjnr() equals count().
//
// Memory exhaustion is reported to the array's user, as a value: a failed
// growth leaves the array as it was (Add and Insert return null) and a
// failed shrink keeps the larger block; LastShortage() tells what was asked
// for. The array tells nobody else, so that it serves any thread and the
// user decides what the user of the program is told.
struct MemoryShortage {
  int step = 0;              // 1 the first block, 2 a larger block, 3 a smaller one
  std::uint64_t bytes = 0;   // the size of the block asked for
  int platform_error = 0;    // the platform's error code
  bool operator==(const MemoryShortage&) const = default;
};

class TDynaArray {
 public:
  static constexpr std::uint32_t kBufferSize = 100;

  // `thesize` is the record size in bytes; `typpoi` the address of the
  // user's pointer variable, or null.
  TDynaArray(std::uint32_t thesize, void** typpoi);
  ~TDynaArray();
  TDynaArray(const TDynaArray&) = delete;
  TDynaArray& operator=(const TDynaArray&) = delete;

  std::uint32_t count() const { return count_; }
  // The cursor: the index of the current record, -1 when there is none, one
  // beyond the visited record during a WhileNext walk.
  std::int32_t aobjnr() const { return aobjnr_; }
  // The current record, null when there is none.
  void* aobj() const { return aobj_; }
  std::uint32_t amemsize() const { return amemsize_; }
  std::uint32_t buffersize() const { return buffersize_; }
  std::uint32_t size() const { return size_; }

  // The last block that could not be obtained; nothing while none failed.
  const std::optional<MemoryShortage>& LastShortage() const { return last_shortage_; }

  // Moves the cursor to record `index` and returns its address. There is no
  // range check: `index` must be below count().
  void* GetObject(std::uint32_t index);
  void* items(std::uint32_t index) { return GetObject(index); }

  // Reads record `index` (below count()) without moving the cursor.
  const void* At(std::uint32_t index) const;

  // Appends a zero record and puts the cursor on it. Null when memory ran out.
  void* Add();
  // Inserts a zero record at `nr` (0..count()) and puts the cursor on it.
  // Null, with nothing changed, for any other `nr` or when memory ran out.
  void* Insert(std::int32_t nr);
  // Removes record `nr` (0..count()-1); the cursor and the user's variable
  // are cleared. Any other `nr` changes nothing.
  void Delete(std::int32_t nr);
  // Swaps the contents of two records and puts the cursor on `nr2`. Changes
  // nothing unless both lie in 0..count()-1.
  void Change(std::int32_t nr1, std::int32_t nr2);
  // Removes every record and gives the block back; the cursor and the
  // user's variable are cleared.
  void Clear();

  // Cursor on record 0; nothing happens on an empty array.
  void First();
  // Moves the cursor to the next record. False, changing nothing, when the
  // cursor is on the last record or beyond it.
  bool Next();
  // Makes record aobjnr() current, then advances aobjnr() by one. False,
  // changing nothing, unless 0 <= aobjnr() < count().
  bool WhileNext();

 private:
  enum class Growth { kKept, kReplaced, kFailed };

  // Run after count_ was raised / lowered by one.
  Growth AllocMoreMem();
  void AllocLessMem();

  std::uint64_t NeededBytes() const;
  unsigned char* Record(std::uint32_t index) const;
  void ClearCursor();
  void NoteShortage(int step, std::uint64_t bytes, int platform_error);

  void** outeraobj_;
  void* aobj_ = nullptr;
  unsigned char* poi_ = nullptr;
  std::uint32_t count_ = 0;
  std::int32_t aobjnr_ = -1;
  std::uint32_t amemsize_ = 0;
  std::uint32_t buffersize_ = kBufferSize;
  std::uint32_t size_;
  std::optional<MemoryShortage> last_shortage_;
};

}  // namespace quillmere
