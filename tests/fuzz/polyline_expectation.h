#pragma once

// What a writer must give back for a polyline entity that its job left as
// it was read: the entity's lines in the order of the model's parts (header,
// vertices, closing lines), without the LWPOLYLINE coordinate pairs whose
// values are no numbers, and with the header's group-90 values replaced by
// the vertex count.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dxf_layout.h"

namespace quillmere::fuzzing {

struct ExpectedLine {
  std::string_view text;
  std::string count;  // when not empty, the line must read this instead
  bool any = false;   // any line will do
};

// Appends the expected lines of the entity `segment` of `pairs`, whose
// header group-90 values must read `count`.
void AppendUnchangedPolyline(const std::vector<Pair>& pairs, const Segment& segment,
                             const std::string& count, std::vector<ExpectedLine>& expected);

// Appends `lines` lines of a polyline block whose content is checked
// elsewhere; the first pair must still be the entity's starting pair.
void AppendRewrittenPolyline(const std::vector<Pair>& pairs, const Segment& segment,
                             std::size_t lines, std::vector<ExpectedLine>& expected);

// Appends the lines of the pairs of `segment` as they are.
void AppendPairs(const std::vector<Pair>& pairs, const Segment& segment,
                 std::vector<ExpectedLine>& expected);

// The index of the first line in which `output` and `expected` differ
// (the shorter length when one is a beginning of the other); -1 when equal.
std::int64_t FirstDifference(const std::vector<std::string_view>& output,
                             const std::vector<ExpectedLine>& expected);

}  // namespace quillmere::fuzzing
