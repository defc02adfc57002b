// The join job on arbitrary bytes: ReadPolylines, JoinPolylines with a tolerance
// taken from the last byte, UpdateCountsAndDropShortPolylines, WriteJoinResult.
//
// Invariants:
// - a readable input and a writable output give no message;
// - joining keeps every vertex but the joints: the written polylines hold
//   the vertices read, less one per polyline attached and less those of the
//   polylines dropped for having fewer than two; every written polyline has
//   at least two, and holds only vertices of its own kind;
// - the output is the input line for line apart from line ends, the dropped
//   polylines, the header group-90 values (the vertex count) and the
//   LWPOLYLINE coordinate pairs whose values are no numbers, except that a
//   polyline that received others is written from its model entry: its own
//   starting pair, then as many lines as the entry holds;
// - no value line ever stands where a code line belongs.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/polyline_reader.h"
#include "dxf_layout.h"
#include "fuzz_support.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"
#include "polyline_expectation.h"

namespace quillmere::fuzzing {
namespace {

double ToleranceFrom(const TailParameters& tail) {
  constexpr std::array<double, 6> kTolerances = {0.01, 0.0, 1.0, 1e-9, 100.0, 1e300};
  return kTolerances[tail.last % kTolerances.size()];
}

// Every vertex of a polyline, also one it received, is of the polyline's
// own kind: a VERTEX entity in a POLYLINE, a group-10 (or 11) pair with what
// follows it in an LWPOLYLINE.
void CheckVertexKind(const Polyline& polyline, std::int32_t index) {
  LineList::Cursor cursor(polyline.vertices[static_cast<std::size_t>(index)].pairs);
  std::string_view code;
  std::string_view value;
  FUZZ_CHECK(cursor.Next(code) && cursor.Next(value));
  if (polyline.kind == PolylineKind::kPolyline) {
    FUZZ_CHECK(Trim(code) == "0" && Trim(value) == "VERTEX");
  } else {
    FUZZ_CHECK(Trim(code) == "10" || Trim(code) == "11");
  }
}

void CheckJoins(const PolylineModel& model, const std::vector<std::int32_t>& read_counts) {
  std::int64_t joinable = 0;
  std::int64_t attached = 0;
  std::int64_t written = 0;
  for (std::int32_t k = 0; k < model.PolylineCount(); ++k) {
    const Polyline& polyline = model.polylines[static_cast<std::size_t>(k)];
    const std::int32_t read = read_counts[static_cast<std::size_t>(k)];
    if (read >= 2) joinable += read;
    if (read >= 2 && polyline.VertexCount() == 0) ++attached;
    FUZZ_CHECK(polyline.dropped == (polyline.VertexCount() < 2));
    FUZZ_CHECK(polyline.vertices.size() >= static_cast<std::size_t>(polyline.VertexCount()));
    if (!polyline.dropped) written += polyline.VertexCount();
    if (read < 2) FUZZ_CHECK(polyline.VertexCount() == read);
    for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) CheckVertexKind(polyline, v);
  }
  FUZZ_CHECK(written == joinable - attached);
}

std::size_t BlockLines(const Polyline& polyline) {
  std::size_t lines = polyline.header.Count() + polyline.trailer.Count();
  for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
    lines += polyline.vertices[static_cast<std::size_t>(v)].pairs.Count();
  }
  return lines;
}

void CheckCopy(const std::vector<Pair>& input, const PolylineModel& model,
               const std::vector<std::int32_t>& read_counts,
               const std::vector<std::string_view>& output) {
  std::vector<ExpectedLine> expected;
  std::size_t entry = 0;
  for (const Segment& segment : SplitAtPolylines(input)) {
    if (!segment.entity) {
      AppendPairs(input, segment, expected);
      continue;
    }
    FUZZ_CHECK(entry < static_cast<std::size_t>(model.PolylineCount()));
    const Polyline& polyline = model.polylines[entry];
    const bool received = polyline.VertexCount() != read_counts[entry];
    ++entry;
    if (polyline.dropped) continue;
    if (received) {
      AppendRewrittenPolyline(input, segment, BlockLines(polyline), expected);
    } else {
      AppendUnchangedPolyline(input, segment, std::to_string(polyline.VertexCount()), expected);
    }
  }
  FUZZ_CHECK(entry == static_cast<std::size_t>(model.PolylineCount()));
  const std::int64_t difference = FirstDifference(output, expected);
  if (difference >= 0) std::fprintf(stderr, "output differs at line %lld\n", static_cast<long long>(difference));
  FUZZ_CHECK(difference < 0);
}

}  // namespace
}  // namespace quillmere::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillmere;
  using namespace quillmere::fuzzing;
  const DrawingFiles files = WriteDrawing(data, size);
  const std::string_view bytes = files.bytes;
  const std::string& input_name = files.input_name;
  const std::string& output_name = files.output_name;

  RecordingSink messages;
  PolylineModel model;
  ReadPolylines(model, input_name, messages);
  FUZZ_CHECK(messages.errors.empty());
  if (model.PolylineCount() == 0) return 0;  // the job reports this and writes nothing
  const std::vector<std::int32_t> read_counts = VertexCounts(model);

  JoinPolylines(model, ToleranceFrom(TailOf(data, size)));
  UpdateCountsAndDropShortPolylines(model);
  CheckJoins(model, read_counts);
  WriteJoinResult(model, input_name, output_name, messages);
  FUZZ_CHECK(messages.errors.empty() && messages.information.empty());

  const std::string written = ReadWholeFile(output_name);
  const std::vector<Pair> input = PairsOf(SplitDxfLines(bytes));
  const std::vector<std::string_view> output = SplitDxfLines(written);
  FUZZ_CHECK(CodesStayCodes(input, output, {}));
  CheckCopy(input, model, read_counts, output);
  return 0;
}
