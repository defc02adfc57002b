#include "lines/line_reader.h"

#include <array>
#include <optional>
#include <string_view>

#include "dxf/pair_stream.h"
#include "support/numbers.h"
#include "dxf/dxf_text.h"
#include "lines/arc_piece_reader.h"
#include "dxf/handle_text.h"
#include "dxf/header_variables.h"
#include "lines/piece_lines.h"

namespace quillmere {

namespace {

// What the handle scan found: the largest group-5 handle anywhere in the
// file, and whether any group-5 value reads as a handle at all.
HandleTally ScanHandles(const JobInput& input) {
  InputLines lines(input);
  lines.Stream();
  HandleTally scan;
  std::string_view line;
  while (lines.Next(line)) {
    const bool handle_code = LineIs(line, "5");
    if (!lines.Next(line)) break;
    if (handle_code) scan.TakeHandle(line);
  }
  return scan;
}

// A coordinate group of a LINE: which axis it sets and whether it belongs to
// the end point (groups 11, 21, 31) rather than the start point (10, 20, 30).
struct CoordinateGroup {
  int axis;
  bool end_point;
};

std::optional<CoordinateGroup> ClassifyCoordinate(std::string_view code) {
  if (code.size() != 2 || code[0] < '1' || code[0] > '3') return std::nullopt;
  if (code[1] != '0' && code[1] != '1') return std::nullopt;
  return CoordinateGroup{code[0] - '1', code[1] == '1'};
}

constexpr std::array<std::string_view, 3> kVertexCodeLines = {" 10", " 20", " 30"};

void SetAxis(LineVertex& vertex, int axis, std::string_view value) {
  const std::optional<double> number = ParseNumber(value);
  if (!number) return;
  (axis == 0 ? vertex.x : axis == 1 ? vertex.y : vertex.z) = *number;
}

// Builds the record of one LINE while its body is read.
class LineRecordBuilder {
 public:
  LineRecordBuilder(LineModel& model, std::string_view line_code_line)
      : model_(model), record_(model.AddRecord()), style_(LineOutputStyle(model.format_version)) {
    record_.vertices.reserve(2);
    StartPolylineHeader(record_, line_code_line, style_);
    AddVertex();
  }

  LineRecordBuilder(const LineRecordBuilder&) = delete;
  LineRecordBuilder& operator=(const LineRecordBuilder&) = delete;

  // Takes one pair of the LINE's body (not its ending (0, ...) pair).
  void Take(DxfPair& pair) {
    const std::string_view code = Trimmed(pair.code);
    if (code == "100" && pair.value == "AcDbLine") pair.value = "AcDbPolyline";
    if (code == "8") record_.layer = pair.value;
    if (code == "1001") in_extended_data_ = true;
    const std::optional<CoordinateGroup> coordinate = ClassifyCoordinate(code);
    if (!coordinate) {
      // Extended data ends an entity. An LWPOLYLINE carries it behind its
      // vertices, so it becomes the closing lines there; a POLYLINE carries
      // it at the end of its own pairs, in front of the VERTEX entities.
      const bool closing = in_extended_data_ && style_ == PolylineKind::kLwPolyline;
      (closing ? record_.trailer : record_.header).AddPair(pair.code, pair.value);
      return;
    }
    // The start point goes to the first vertex and the end point to the
    // second, in whatever order the groups come.
    if (coordinate->end_point && record_.VertexCount() == 1) AddVertex();
    LineVertex& vertex = record_.vertices[coordinate->end_point ? 1 : 0];
    SetAxis(vertex, coordinate->axis, pair.value);
    // Every polyline vertex carries its point in groups 10, 20 and 30.
    vertex.pairs.AddPair(coordinate->end_point ? kVertexCodeLines[coordinate->axis] : pair.code,
                        pair.value);
  }

  // Completes the record once the body has been read. The coordinate pairs
  // went into the vertex lines as they came; in the old style the VERTEX
  // pairs go in front of them now that the layer is known. A LINE that
  // gives fewer than two points is no piece of a polyline: it stays as read.
  void Finish() {
    record_.kept_as_read = record_.VertexCount() < 2;
    if (style_ == PolylineKind::kPolyline) {
      record_.trailer.AddPair(" 0", "SEQEND");
      for (std::int32_t i = 0; i < record_.VertexCount(); ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        MakeVertexEntity(record_.vertices[at], model_.has_handles ? &handles_[at] : nullptr,
                         record_.layer);
      }
    }
  }

 private:
  // Creates the next vertex; in the old style it takes its handle now (in a
  // drawing that has handles at all).
  void AddVertex() {
    record_.AddVertex();
    if (style_ == PolylineKind::kPolyline && model_.has_handles) {
      handles_[static_cast<std::size_t>(record_.VertexCount() - 1)] = FormatHandle(++model_.largest_handle);
    }
  }

  LineModel& model_;
  LineRecord& record_;
  const PolylineKind style_;
  std::array<std::string, 2> handles_;
  bool in_extended_data_ = false;  // from the first group-1001 pair on
};

// Reads the body of the LINE that `start` began into a new record. The
// (0, ...) pair that ends it is put back.
void ReadLineEntity(const DxfPair& start, PairStream& input, LineModel& model) {
  LineRecordBuilder builder(model, start.code);
  model.records.back().entity_offset = start.offset;
  DxfPair pair;
  while (input.ReadBodyPair(pair)) builder.Take(pair);
  builder.Finish();
}

}  // namespace

Status ReadLines(LineModel& model, const JobInput& input, JobObserver* observer, bool with_arcs) {
  model = LineModel{};
  model.with_arcs = with_arcs;
  const HandleTally handles = ScanHandles(input);
  model.largest_handle = handles.Largest();
  model.has_handles = handles.Any();

  PairStream pairs(input, 0, ProgressTap(observer, JobPhase::kReading, input.Size()));
  VersionCapture version;
  SectionState section;
  DxfPair pair;
  while (pairs.ReadPair(pair)) {
    version.Apply(pair.code, pair.value);
    model.format_version = version.Version();
    section.Apply(pair.code, pair.value);
    if (!section.InsideEntities() || !LineIs(pair.code, "0")) continue;
    if (LineIs(pair.value, "LINE")) {
      ReadLineEntity(pair, pairs, model);
    } else if (with_arcs && LineIs(pair.value, "ARC")) {
      ReadArcEntity(pair, pairs, model);
    }
  }
  if (const Status intact = input.Intact(); !intact) {
    model = LineModel{};
    return intact;
  }
  model.has_objects = section.ObjectsSeen();
  return Done{};
}

Status ReadLines(LineModel& model, const std::string& file_name, JobObserver* observer,
                 bool with_arcs) {
  model = LineModel{};
  const Result<JobInput> input = JobInput::Open(file_name);
  RETURN_IF_FAILED(input);
  return ReadLines(model, *input, observer, with_arcs);
}

}  // namespace quillmere
