#pragma once

// An independent, deliberately plain view of a DXF file for the fuzz
// targets' invariants: its lines, its pairs, and where the entities a job
// replaces begin and end. It follows the same text conventions as the
// readers but shares no code with them, so that the two can check each
// other.

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace quillmere::fuzzing {

// The lines of a file: split at line feeds, one carriage return before the
// line feed dropped; a last line without a line end counts.
std::vector<std::string_view> SplitDxfLines(std::string_view bytes);

struct Pair {
  std::string_view code;
  std::string_view value;
  bool has_value = true;  // false for a code line at the very end
};

std::vector<Pair> PairsOf(const std::vector<std::string_view>& lines);

std::string_view Trim(std::string_view line);

// A run of pairs [first, end) of the file: either one pair that the writers
// copy, or a whole entity that a job replaces.
struct Segment {
  std::size_t first = 0;
  std::size_t end = 0;
  bool entity = false;
};

// Splits the pairs at the POLYLINE and LWPOLYLINE entities of the ENTITIES
// section, with their extents and the held pair.
std::vector<Segment> SplitAtPolylines(const std::vector<Pair>& pairs);

// Splits the pairs at the LINE entities of the ENTITIES section.
std::vector<Segment> SplitAtLines(const std::vector<Pair>& pairs);

// True when every line at a code position of `output` (the first, third,
// ... line) reads, trimmed, as a code line of `input` or one of `own_codes`:
// no value ever slipped into the place of a code.
bool CodesStayCodes(const std::vector<Pair>& input, const std::vector<std::string_view>& output,
                    std::initializer_list<std::string_view> own_codes);

// True when in every entity (from a pair with code 0 to the next one) the
// pairs from its first group-1001 pair on are all extended data (codes 1000
// to 1071): readers take everything behind that pair for extended data, so
// nothing of the entity's own may stand there.
bool ExtendedDataEndsEachEntity(const std::vector<Pair>& pairs);

// Whether `text` is a count as the writers write it: decimal digits without
// sign, blanks or leading zeros.
bool IsPlainCount(std::string_view text);

}  // namespace quillmere::fuzzing
