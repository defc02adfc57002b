#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dxf/consumed_entities.h"
#include "dxf/pair_stream.h"

namespace quillmere {

// What one walk through a drawing finds about the handles and references
// that the consumed entities of a job touch: their own handles, the records
// (entities, objects, table entries) that may have to go or change, and
// every other reference (groups 330 to 369) by what it is. Handles are
// HandleKey values; 0 stands for none.

enum class RecordKind : std::uint8_t { kOther, kHatch, kGroup, kDictionary, kSortentsTable };

struct ScannedRecord {
  std::int64_t begin = 0;  // its (0, type) pair
  std::int64_t end = 0;    // the pair behind it
  std::uint64_t handle = 0;
  // Its owner: the first 330 outside the application groups (102), in
  // front of its second subclass marker. Only for objects.
  std::uint64_t owner = 0;
  RecordKind kind = RecordKind::kOther;
  bool in_objects = false;  // a record of the OBJECTS section
};

enum class ReferenceKind : std::uint8_t {
  kOther,
  kReactor,          // an entry of a reactor list (102 {ACAD_REACTORS ... })
  kXdictionary,      // the extension dictionary (102 {ACAD_XDICTIONARY 360)
  kGroupEntry,       // 340 of a GROUP
  kDictionaryEntry,  // 350/360 of a dictionary; the range starts at its name (3)
  kSortentsEntry,    // 331 of a SORTENTSTABLE; the range takes its sort handle (5) too
  kHatchBoundary,    // 330 behind a hatch path's count of boundary objects (97)
};

struct ScannedReference {
  std::int64_t begin = 0;  // the pairs that go with it
  std::int64_t end = 0;
  std::uint64_t target = 0;
  std::uint32_t record = 0;  // its record in ReferenceIndex::records
  std::uint32_t list = 0;    // kReactor: its list in ReferenceIndex::reactor_lists
  ReferenceKind kind = ReferenceKind::kOther;
  std::int16_t group_code = 0;
  std::string code;  // the code line as read
};

// A reactor list: from its opening 102 pair to its closing one.
struct ReactorList {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  // Entries that name no handle: the list never goes whole.
  bool has_other_entries = false;
};

// A pair of a record that changes with it: a hatch's associativity flag
// (71) and its counts of boundary objects (97), the owner (330) of an
// entity that moves to another.
struct ScannedPair {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  std::uint32_t record = 0;
  std::string code;
  std::string value;
  std::int64_t new_owner = -1;  // owners: where the owning entity begins
};

struct ReferenceIndex {
  // The handles of the consumed entities and of their extension
  // dictionaries. Nothing else of theirs is kept: they are not written.
  std::vector<std::uint64_t> consumed_handles;
  std::vector<ScannedRecord> records;  // in file order, the consumed ones left out
  std::vector<ScannedReference> references;
  std::vector<ReactorList> reactor_lists;
  std::vector<ScannedPair> hatch_pairs;
  std::vector<ScannedPair> owners;  // owner pairs of moved entities
  // The handle of each entity that others move into, as read, by where it
  // begins: ascending offsets.
  std::vector<std::int64_t> owner_starts;
  std::vector<std::string> owner_handles;
};

// Walks through the drawing from `input`, which must be opened at its
// start, and indexes what the clean-up of `consumed` needs.
ReferenceIndex ScanReferences(PairStream& input, const ConsumedEntities& consumed);

}  // namespace quillmere
