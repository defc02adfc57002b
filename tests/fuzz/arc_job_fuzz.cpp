// The arc job on arbitrary bytes: ReadPolylines, the arc search with small test
// counts taken from the last two bytes, WriteArcResult.
//
// Invariants:
// - a readable input and a writable output give no message;
// - extended data that ends every entity of the input ends every entity of
//   the output too;
// - the first and last vertex of a polyline are never left out, and every
//   bulge is finite, not 0, and survives its general number format;
// - without any arc, the output is the input line for line, apart from line
//   ends, the header group-90 values (which read the vertex count) and the
//   LWPOLYLINE coordinate pairs whose values are no numbers;
// - with arcs, reading the output again gives the same polylines, each with
//   exactly the vertices that were kept, at the same coordinates, and no
//   value line ever stands where a code line belongs.

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "arcs/arc_job.h"
#include "arcs/arc_search.h"
#include "arcs/arc_writer.h"
#include "support/numbers.h"
#include "dxf/polyline_reader.h"
#include "dxf_layout.h"
#include "fuzz_support.h"
#include "polyline_expectation.h"
#include "named_input.h"

namespace quillmere::fuzzing {
namespace {

ArcSearchSettings SettingsFrom(const TailParameters& tail) {
  constexpr std::array<double, 4> kDeviations = {0.1, 0.5, 0.01, 2.0};
  ArcSearchSettings settings;
  settings.arc_tests = 4 + tail.last % 13;
  settings.line_tests = 4 + tail.second_last % 13;
  settings.deviation = kDeviations[(tail.last / 13) % kDeviations.size()];
  return settings;
}

std::int32_t WrittenVertices(const PolylineModel& model, const PolylineRecord& polyline) {
  std::int32_t written = 0;
  for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
    if (!model.HasMark(model.VertexIndex(polyline, v), kVertexDropped)) ++written;
  }
  return written;
}

// Checks the marks of the search; true when any vertex was marked.
bool CheckMarks(const PolylineModel& model) {
  bool marked = false;
  std::int64_t arcs = 0;
  for (const PolylineRecord& polyline : model.polylines) {
    FUZZ_CHECK(polyline.VertexCount() >= 0);
    if (polyline.VertexCount() == 0) continue;
    FUZZ_CHECK(!model.HasMark(model.VertexIndex(polyline, 0), kVertexDropped));
    FUZZ_CHECK(!model.HasMark(model.VertexIndex(polyline, polyline.VertexCount() - 1), kVertexDropped));
    for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
      const std::int64_t vertex = model.VertexIndex(polyline, v);
      const bool dropped = model.HasMark(vertex, kVertexDropped);
      const bool gets_bulge = model.HasMark(vertex, kVertexGetsBulge);
      marked = marked || dropped || gets_bulge;
      if (!gets_bulge) continue;
      ++arcs;
      const double bulge = model.Bulge(vertex);
      FUZZ_CHECK(!dropped);
      FUZZ_CHECK(v + 3 <= polyline.VertexCount() - 1);
      FUZZ_CHECK(std::isfinite(bulge) && bulge != 0);
      const std::optional<double> written = ParseNumber(FormatGeneral(bulge));
      FUZZ_CHECK(written.has_value());
      FUZZ_CHECK(std::fabs(*written - bulge) <= 1e-14 * std::fabs(bulge));
    }
  }
  FUZZ_CHECK(static_cast<std::int64_t>(model.arc_starts.size()) == arcs);
  return marked;
}

void CheckUnchangedCopy(const std::vector<Pair>& input, const PolylineModel& model,
                        const std::vector<std::string_view>& output) {
  std::vector<ExpectedLine> expected;
  std::size_t entry = 0;
  for (const Segment& segment : SplitAtPolylines(input)) {
    if (!segment.entity) {
      AppendPairs(input, segment, expected);
      continue;
    }
    FUZZ_CHECK(entry < static_cast<std::size_t>(model.PolylineCount()));
    AppendUnchangedPolyline(input, segment, std::to_string(model.polylines[entry].VertexCount()),
                            expected);
    ++entry;
  }
  FUZZ_CHECK(entry == static_cast<std::size_t>(model.PolylineCount()));
  const std::int64_t difference = FirstDifference(output, expected);
  if (difference >= 0) std::fprintf(stderr, "output differs at line %lld\n", static_cast<long long>(difference));
  FUZZ_CHECK(difference < 0);
}

// Only the ends of a polyline keep their z in the model.
void CheckArcsWritten(const std::string& output_name, const PolylineModel& model) {
  RecordingSink messages;
  PolylineModel again;
  Reported(ReadPolylines(again, output_name), messages);
  FUZZ_CHECK(messages.errors.empty());
  FUZZ_CHECK(again.PolylineCount() == model.PolylineCount());
  for (std::int32_t p = 0; p < model.PolylineCount(); ++p) {
    const PolylineRecord& before = model.polylines[static_cast<std::size_t>(p)];
    const PolylineRecord& after = again.polylines[static_cast<std::size_t>(p)];
    FUZZ_CHECK(after.VertexCount() == WrittenVertices(model, before));
    std::int32_t kept = 0;
    for (std::int32_t v = 0; v < before.VertexCount(); ++v) {
      const std::int64_t vertex = model.VertexIndex(before, v);
      if (model.HasMark(vertex, kVertexDropped)) continue;
      const std::int64_t read = again.VertexIndex(after, kept++);
      FUZZ_CHECK(again.vertices.x[read] == model.vertices.x[vertex] &&
                 again.vertices.y[read] == model.vertices.y[vertex]);
    }
    if (before.VertexCount() > 0) {
      FUZZ_CHECK(after.first_z == before.first_z && after.last_z == before.last_z);
    }
  }
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
  FUZZ_CHECK(model.PolylineCount() >= 0);
  // With curves the job converts whatever curves the drawing has; it fails
  // only for a drawing with neither polylines nor curves.
  ArcSearchSettings with_curves = SettingsFrom(TailOf(data, size));
  with_curves.curves = true;
  const Result<ArcJobSummary> converted = RunArcJob(with_curves, input_name, output_name);
  FUZZ_CHECK(converted.ok() || converted.failure().notice == Notice::kNoPolylines);
  if (model.PolylineCount() == 0) return 0;  // the job reports this and writes nothing

  FindArcs(model, SettingsFrom(TailOf(data, size)), 1);
  const bool marked = CheckMarks(model);
  Reported(WriteArcResult(model, input_name, output_name), messages);
  FUZZ_CHECK(messages.errors.empty() && messages.information.empty());

  const std::string written = ReadWholeFile(output_name);
  const std::vector<Pair> input = PairsOf(SplitDxfLines(bytes));
  const std::vector<std::string_view> output = SplitDxfLines(written);
  FUZZ_CHECK(CodesStayCodes(input, output, {"42"}));
  if (ExtendedDataEndsEachEntity(input)) FUZZ_CHECK(ExtendedDataEndsEachEntity(PairsOf(output)));
  if (marked) {
    CheckArcsWritten(output_name, model);
  } else {
    CheckUnchangedCopy(input, model, output);
  }
  return 0;
}
