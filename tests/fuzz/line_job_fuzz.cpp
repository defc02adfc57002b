// The line job on arbitrary bytes: ReadLines, ChainLines with a tolerance
// taken from the last byte, the vertex counts of the lightweight style,
// WriteLineResult.
//
// Invariants:
// - a readable input and a writable output give no message;
// - extended data that ends every entity of the input ends every entity of
//   the output too;
// - chaining keeps every vertex but the joints: the vertices of the written
//   records are those of the records read, less one per record appended,
//   and never more than two per LINE;
// - the output is the input with each LINE of the ENTITIES section replaced
//   by its record's polyline or by nothing, everything else copied line for
//   line (only the header's $HANDSEED value may change, to a new handle);
// - a written polyline starts with the LINE's code line and the entity name
//   of its record's style, and carries as many vertices as its record (an
//   LWPOLYLINE in its group-90 count).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dxf_layout.h"
#include "fuzz_support.h"
#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"
#include "named_input.h"

namespace quillmere::fuzzing {
namespace {

double ToleranceFrom(const TailParameters& tail) {
  constexpr std::array<double, 6> kTolerances = {0.01, 0.0, 1.0, 1e-9, 100.0, 1e300};
  return kTolerances[tail.last % kTolerances.size()];
}

bool Written(const LineRecord& record) {
  return !record.dropped && !record.kept_as_read && record.VertexCount() >= 2;
}

bool HasHandle(const LineList& lines) {
  LineList::Cursor cursor(lines);
  std::string_view line;
  for (bool code_line = true; cursor.Next(line); code_line = !code_line) {
    if (code_line && Trim(line) == "5") return true;
  }
  return false;
}

// A record gets a handle of its own only in a drawing that has handles.
std::size_t BlockLines(const LineRecord& record, bool drawing_has_handles) {
  const bool new_handle = drawing_has_handles && !HasHandle(record.header);
  std::size_t lines = record.header.Count() + record.trailer.Count() + (new_handle ? 2 : 0);
  for (std::int32_t v = 0; v < record.VertexCount(); ++v) lines += record.vertices[static_cast<std::size_t>(v)].pairs.Count();
  return lines;
}

// Counts the pairs (code, value) among the pairs of `lines` from `first` on.
std::int64_t CountPairs(const std::vector<std::string_view>& lines, std::size_t first,
                        std::size_t end, std::string_view code, std::string_view value) {
  std::int64_t count = 0;
  for (std::size_t k = first; k + 1 < end; k += 2) {
    if (Trim(lines[k]) == code && Trim(lines[k + 1]) == value) ++count;
  }
  return count;
}

void CheckChains(const LineModel& model, const std::vector<std::int32_t>& read_counts) {
  std::int64_t before = 0;
  std::int64_t appended = 0;
  std::int64_t after = 0;
  for (std::int32_t k = 0; k < model.RecordCount(); ++k) {
    const LineRecord& record = model.records[static_cast<std::size_t>(k)];
    const std::int32_t read = read_counts[static_cast<std::size_t>(k)];
    FUZZ_CHECK(read >= 1 && read <= 2);
    if (read < 2) {
      FUZZ_CHECK(record.VertexCount() == read);
      continue;
    }
    before += read;
    if (record.dropped) {
      FUZZ_CHECK(record.VertexCount() == 0);
      ++appended;
    } else {
      FUZZ_CHECK(record.VertexCount() >= 2);
      after += record.VertexCount();
    }
  }
  FUZZ_CHECK(after == before - appended);
  FUZZ_CHECK(after <= 2 * static_cast<std::int64_t>(model.RecordCount()));
}

void CheckOutput(const std::vector<Pair>& input, const LineModel& model,
                 const std::vector<std::string_view>& output) {
  std::size_t line = 0;  // in the output
  std::size_t record_number = 0;
  bool after_seed_name = false;
  for (const Segment& segment : SplitAtLines(input)) {
    if (!segment.entity) {
      const Pair& pair = input[segment.first];
      FUZZ_CHECK(line < output.size() && output[line] == pair.code);
      ++line;
      if (pair.has_value) {
        FUZZ_CHECK(line < output.size());
        const bool seed = after_seed_name && Trim(pair.code) == "5";
        FUZZ_CHECK(output[line] == pair.value || seed);
        ++line;
      }
      after_seed_name = Trim(pair.code) == "9" && Trim(pair.value) == "$HANDSEED";
      continue;
    }
    after_seed_name = false;
    FUZZ_CHECK(record_number < static_cast<std::size_t>(model.RecordCount()));
    const LineRecord& record = model.records[record_number++];
    if (record.kept_as_read) {
      // A LINE that gives fewer than two points stays as it was read.
      FUZZ_CHECK(record.VertexCount() < 2);
      for (std::size_t k = segment.first; k < segment.end; ++k) {
        FUZZ_CHECK(line < output.size() && output[line] == input[k].code);
        ++line;
        if (!input[k].has_value) continue;
        FUZZ_CHECK(line < output.size() && output[line] == input[k].value);
        ++line;
      }
      continue;
    }
    if (!Written(record)) continue;
    const bool lightweight = record.kind == PolylineKind::kLwPolyline;
    const std::size_t block = BlockLines(record, model.has_handles);
    FUZZ_CHECK(line + block <= output.size());
    FUZZ_CHECK(output[line] == input[segment.first].code);
    FUZZ_CHECK(output[line + 1] == (lightweight ? "LWPOLYLINE" : "POLYLINE"));
    // A polyline holds vertices of its own style only.
    const std::int64_t vertex_entities = CountPairs(output, line, line + block, "0", "VERTEX");
    if (lightweight) {
      FUZZ_CHECK(CountPairs(output, line, line + block, "90", std::to_string(record.VertexCount())) >= 1);
      FUZZ_CHECK(vertex_entities == 0);
    } else {
      FUZZ_CHECK(vertex_entities == record.VertexCount());
    }
    line += block;
  }
  FUZZ_CHECK(record_number == static_cast<std::size_t>(model.RecordCount()));
  FUZZ_CHECK(line == output.size());
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
  LineModel model;
  Reported(ReadLines(model, input_name), messages);
  // A file that is no DXF text drawing is refused once, with nothing read.
  if (RefusedAsNoDrawing(bytes)) {
    FUZZ_CHECK(messages.errors.size() == 1 && model.RecordCount() == 0);
    return 0;
  }
  FUZZ_CHECK(messages.errors.empty());
  FUZZ_CHECK(model.RecordCount() >= 0 && model.records.size() >= static_cast<std::size_t>(model.RecordCount()));
  const std::vector<std::int32_t> read_counts = VertexCounts(model);

  ChainLines(model, ToleranceFrom(TailOf(data, size)));
  CheckChains(model, read_counts);
  AppendVertexCounts(model);
  Reported(WriteLineResult(model, input_name, output_name), messages);
  FUZZ_CHECK(messages.errors.empty() && messages.information.empty());

  const std::string written = ReadWholeFile(output_name);
  const std::vector<Pair> input = PairsOf(SplitDxfLines(bytes));
  CheckOutput(input, model, SplitDxfLines(written));
  if (ExtendedDataEndsEachEntity(input)) {
    FUZZ_CHECK(ExtendedDataEndsEachEntity(PairsOf(SplitDxfLines(written))));
  }

  // Contours: every piece that takes part is one segment of one contour.
  LineModel contours;
  Reported(ReadLines(contours, input_name, nullptr, true), messages);
  std::int64_t pieces = 0;
  for (const LineRecord& record : contours.records) pieces += record.kept_as_read ? 0 : 1;
  ChainLines(contours, ToleranceFrom(TailOf(data, size)), true);
  std::int64_t segments = 0;
  for (const LineRecord& record : contours.records) {
    if (record.dropped || (record.kept_as_read && record.VertexCount() < 2)) continue;
    FUZZ_CHECK(record.VertexCount() >= 2);
    segments += record.VertexCount() - (record.closed ? 0 : 1);
  }
  FUZZ_CHECK(segments == pieces);
  AppendVertexCounts(contours);
  Reported(WriteLineResult(contours, input_name, output_name), messages);
  FUZZ_CHECK(messages.errors.empty() && messages.information.empty());
  return 0;
}
