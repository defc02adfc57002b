#include "polyline_expectation.h"

#include <optional>

#include "support/numbers.h"

namespace quillmere::fuzzing {

namespace {

void AppendPair(const Pair& pair, std::vector<ExpectedLine>& lines, const std::string& count = {}) {
  lines.push_back({pair.code, {}});
  if (pair.has_value) lines.push_back({pair.value, count});
}

bool IsNumber(const Pair& pair) { return pair.has_value && ParseNumber(pair.value).has_value(); }

void AppendLwPolyline(const std::vector<Pair>& pairs, const Segment& segment,
                      const std::string& count, std::vector<ExpectedLine>& expected) {
  AppendPair(pairs[segment.first], expected);
  bool vertex_started = false;
  for (std::size_t k = segment.first + 1; k < segment.end; ++k) {
    const Pair& pair = pairs[k];
    const std::string_view code = Trim(pair.code);
    if (code == "10" || code == "11") {
      if (!IsNumber(pair)) continue;
      vertex_started = true;
    } else if (code == "20" || code == "21" || code == "30" || code == "31") {
      if (!vertex_started || !IsNumber(pair)) continue;
    }
    AppendPair(pair, expected, !vertex_started && code == "90" ? count : std::string());
  }
}

// A POLYLINE entity: the header pairs, each VERTEX entity, then the SEQEND
// entity and whatever followed it, in this order, since that is how the
// model keeps them. A VERTEX after the SEQEND therefore moves in front of it.
void AppendPolyline(const std::vector<Pair>& pairs, const Segment& segment,
                    const std::string& count, std::vector<ExpectedLine>& expected) {
  std::vector<ExpectedLine> header;
  std::vector<ExpectedLine> vertices;
  std::vector<ExpectedLine> closing;
  bool in_vertex = false;
  bool after_seqend = false;
  for (std::size_t k = segment.first; k < segment.end; ++k) {
    const Pair& pair = pairs[k];
    const std::string_view code = Trim(pair.code);
    if (code == "0" && k > segment.first) {
      in_vertex = Trim(pair.value) == "VERTEX";
      if (Trim(pair.value) == "SEQEND") after_seqend = true;
    }
    if (in_vertex) {
      AppendPair(pair, vertices);
      // Written in front of the SEQEND, the last code line of the file
      // needs a value line.
      if (after_seqend && !pair.has_value) vertices.push_back({std::string_view(), {}});
    } else if (after_seqend) {
      AppendPair(pair, closing);
    } else {
      AppendPair(pair, header, code == "90" ? count : std::string());
    }
  }
  expected.insert(expected.end(), header.begin(), header.end());
  expected.insert(expected.end(), vertices.begin(), vertices.end());
  expected.insert(expected.end(), closing.begin(), closing.end());
}

}  // namespace

void AppendUnchangedPolyline(const std::vector<Pair>& pairs, const Segment& segment,
                             const std::string& count, std::vector<ExpectedLine>& expected) {
  if (Trim(pairs[segment.first].value) == "LWPOLYLINE") {
    AppendLwPolyline(pairs, segment, count, expected);
  } else {
    AppendPolyline(pairs, segment, count, expected);
  }
}

void AppendRewrittenPolyline(const std::vector<Pair>& pairs, const Segment& segment,
                             std::size_t lines, std::vector<ExpectedLine>& expected) {
  const Pair& start = pairs[segment.first];
  for (std::size_t k = 0; k < lines; ++k) {
    if (k == 0) {
      expected.push_back({start.code, {}});
    } else if (k == 1) {
      expected.push_back({start.value, {}});
    } else {
      expected.push_back({{}, {}, true});
    }
  }
}

void AppendPairs(const std::vector<Pair>& pairs, const Segment& segment,
                 std::vector<ExpectedLine>& expected) {
  for (std::size_t k = segment.first; k < segment.end; ++k) AppendPair(pairs[k], expected);
}

std::int64_t FirstDifference(const std::vector<std::string_view>& output,
                             const std::vector<ExpectedLine>& expected) {
  const std::size_t common = std::min(output.size(), expected.size());
  for (std::size_t k = 0; k < common; ++k) {
    const ExpectedLine& line = expected[k];
    const bool same = line.any || (line.count.empty() ? output[k] == line.text : output[k] == line.count);
    if (!same) return static_cast<std::int64_t>(k);
  }
  if (output.size() != expected.size()) return static_cast<std::int64_t>(common);
  return -1;
}

}  // namespace quillmere::fuzzing
