// The join job on arbitrary bytes: ReadPolylines, JoinPolylines with a tolerance
// taken from the last byte, DropShortPolylines, WriteJoinResult.
//
// Invariants:
// - a readable input and a writable output give no message;
// - extended data that ends every entity of the input ends every entity of
//   the output too;
// - joining keeps every vertex but the joints: the written polylines hold
//   the vertices read, less one per polyline attached and less those of the
//   polylines dropped for having fewer than two; every written polyline has
//   at least two, and holds only vertices of its own kind;
// - the output is the input line for line apart from line ends, the dropped
//   polylines, the header group-90 values (the vertex count) and the
//   LWPOLYLINE coordinate pairs whose values are no numbers, except that a
//   polyline that received others is written from its chain: its own
//   starting pair, then as many lines as its parts and the vertices it
//   received read back to;
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
#include "polyline_lines.h"
#include "named_input.h"

namespace quillmere::fuzzing {
namespace {

double ToleranceFrom(const TailParameters& tail) {
  constexpr std::array<double, 6> kTolerances = {0.01, 0.0, 1.0, 1e-9, 100.0, 1e300};
  return kTolerances[tail.last % kTolerances.size()];
}

// The lines of every vertex a polyline is written with: its own and those
// it received from its chain, each joint the later polyline's first vertex.
std::vector<testing::Lines> ChainVertexLines(const PolylineModel& model, std::int32_t index,
                                             const std::string& file) {
  std::vector<testing::Lines> vertices = testing::LinesOf(model, index, file).vertices;
  for (std::int32_t next = model.polylines[static_cast<std::size_t>(index)].next_in_chain;
       next >= 0; next = model.polylines[static_cast<std::size_t>(next)].next_in_chain) {
    const std::vector<testing::Lines> attached = testing::LinesOf(model, next, file).vertices;
    vertices.pop_back();
    vertices.insert(vertices.end(), attached.begin(), attached.end());
  }
  return vertices;
}

// Every vertex of a polyline, also one it received, is of the polyline's
// own kind: a VERTEX entity in a POLYLINE, a group-10 (or 11) pair with what
// follows it in an LWPOLYLINE.
void CheckVertexKind(PolylineKind kind, const testing::Lines& vertex) {
  FUZZ_CHECK(vertex.size() >= 2);
  if (kind == PolylineKind::kPolyline) {
    FUZZ_CHECK(Trim(vertex[0]) == "0" && Trim(vertex[1]) == "VERTEX");
  } else {
    FUZZ_CHECK(Trim(vertex[0]) == "10" || Trim(vertex[0]) == "11");
  }
}

void CheckJoins(const PolylineModel& model, const std::vector<std::int32_t>& read_counts,
                const std::string& input_name) {
  std::int64_t joinable = 0;
  std::int64_t attached = 0;
  std::int64_t written = 0;
  for (std::int32_t k = 0; k < model.PolylineCount(); ++k) {
    const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(k)];
    const std::int32_t read = read_counts[static_cast<std::size_t>(k)];
    const std::int64_t count = JoinedVertexCount(model, polyline);
    const bool was_attached = read >= 2 && polyline.dropped;
    if (read >= 2) joinable += read;
    if (was_attached) ++attached;
    FUZZ_CHECK(polyline.dropped == (was_attached || count < 2));
    FUZZ_CHECK(polyline.VertexCount() == read);
    if (polyline.dropped) continue;
    written += count;
    const std::vector<testing::Lines> vertices = ChainVertexLines(model, k, input_name);
    FUZZ_CHECK(static_cast<std::int64_t>(vertices.size()) == count);
    for (const testing::Lines& vertex : vertices) CheckVertexKind(polyline.kind, vertex);
  }
  FUZZ_CHECK(written == joinable - attached);
}

// The lines a polyline that received others is written with.
std::size_t BlockLines(const PolylineModel& model, std::int32_t index, const std::string& file) {
  const testing::PolylineLines parts = testing::LinesOf(model, index, file);
  std::size_t lines = parts.header.size() + parts.extended_data.size() + parts.trailer.size();
  for (const testing::Lines& vertex : ChainVertexLines(model, index, file)) {
    lines += vertex.size() + vertex.size() % 2;  // inside a chain every pair is whole
  }
  return lines;
}

void CheckCopy(const std::vector<Pair>& input, const PolylineModel& model,
               const std::vector<std::int32_t>& read_counts, const std::string& input_name,
               const std::vector<std::string_view>& output) {
  std::vector<ExpectedLine> expected;
  std::size_t entry = 0;
  for (const Segment& segment : SplitAtPolylines(input)) {
    if (!segment.entity) {
      AppendPairs(input, segment, expected);
      continue;
    }
    FUZZ_CHECK(entry < static_cast<std::size_t>(model.PolylineCount()));
    const PolylineRecord& polyline = model.polylines[entry];
    const std::int64_t count = JoinedVertexCount(model, polyline);
    const bool received = count != read_counts[entry];
    const auto index = static_cast<std::int32_t>(entry++);
    if (polyline.dropped) continue;
    if (received) {
      AppendRewrittenPolyline(input, segment, BlockLines(model, index, input_name), expected);
    } else {
      AppendUnchangedPolyline(input, segment, std::to_string(count), expected);
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
  Reported(ReadPolylines(model, input_name), messages);
  // A file that is no DXF text drawing is refused once, with nothing read.
  if (RefusedAsNoDrawing(bytes)) {
    FUZZ_CHECK(messages.errors.size() == 1 && model.PolylineCount() == 0);
    return 0;
  }
  FUZZ_CHECK(messages.errors.empty());
  if (model.PolylineCount() == 0) return 0;  // the job reports this and writes nothing
  const std::vector<std::int32_t> read_counts = VertexCounts(model);

  JoinPolylines(model, ToleranceFrom(TailOf(data, size)));
  DropShortPolylines(model);
  CheckJoins(model, read_counts, input_name);
  Reported(WriteJoinResult(model, input_name, output_name), messages);
  FUZZ_CHECK(messages.errors.empty() && messages.information.empty());

  const std::string written = ReadWholeFile(output_name);
  const std::vector<Pair> input = PairsOf(SplitDxfLines(bytes));
  const std::vector<std::string_view> output = SplitDxfLines(written);
  FUZZ_CHECK(CodesStayCodes(input, output, {}));
  if (ExtendedDataEndsEachEntity(input)) FUZZ_CHECK(ExtendedDataEndsEachEntity(PairsOf(output)));
  CheckCopy(input, model, read_counts, input_name, output);

  // Contours: each contour has the segments of its polylines, each once.
  PolylineModel contours;
  Reported(ReadPolylines(contours, input_name), messages);
  JoinPolylines(contours, ToleranceFrom(TailOf(data, size)), ReadPieceEnds(contours, input_name));
  DropShortPolylines(contours);
  for (const PolylineRecord& head : contours.polylines) {
    if (head.dropped || (!head.Receives() && !head.closes_chain)) continue;
    std::int64_t segments = 0;
    for (std::int32_t n = static_cast<std::int32_t>(&head - contours.polylines.data()); n >= 0;) {
      const PolylineRecord& piece = contours.polylines[static_cast<std::size_t>(n)];
      segments += piece.vertex_count - 1;
      n = piece.next_in_chain;
    }
    FUZZ_CHECK(JoinedVertexCount(contours, head) - (head.closes_chain ? 0 : 1) == segments);
  }
  Reported(WriteJoinResult(contours, input_name, output_name, nullptr, true), messages);
  FUZZ_CHECK(messages.errors.empty() && messages.information.empty());
  return 0;
}
