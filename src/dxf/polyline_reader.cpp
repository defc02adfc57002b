#include "dxf/polyline_reader.h"

#include "dxf/dxf_text.h"
#include "dxf/pair_stream.h"
#include "dxf/polyline_entities.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// A bulge pair of a vertex that makes its segment an arc.
void NoteBulge(Vertex& vertex, std::string_view value) {
  const std::optional<double> bulge = ParseNumber(value);
  if (bulge && *bulge != 0) vertex.carries_arc = true;
}

// The header flags: the last whole-number group-70 value counts.
void NoteHeaderFlags(Polyline& record, std::string_view value) {
  if (const std::optional<std::int32_t> flags = ParseWholeNumber(value)) {
    record.header_flags = *flags;
  }
}

void SetCoordinate(Vertex& vertex, char axis, std::string_view value) {
  const std::optional<double> number = ParseNumber(value);
  if (!number) return;
  if (axis == 'x') vertex.x = *number;
  if (axis == 'y') vertex.y = *number;
  if (axis == 'z') vertex.z = *number;
}

// Reads the rest of a POLYLINE entity into `record`; the pair that ends it
// is put back.
void ReadPolyline(PairStream& input, Polyline& record) {
  bool in_vertex = false;
  bool after_seqend = false;
  DxfPair pair;
  while (input.ReadPair(pair)) {
    const std::string_view code = Trimmed(pair.code);
    const bool code0 = code == "0";
    const std::string_view value = code0 ? Trimmed(pair.value) : std::string_view();
    if (code0 && value == "VERTEX") {
      record.AddVertex();
      in_vertex = true;
    } else if (code0) {
      in_vertex = false;
    }

    if (in_vertex) {
      LineList& lines = record.vertices.back().pairs;
      AddPair(lines, pair);
      // A VERTEX after the SEQEND is written in front of it. If the file
      // ended after a code line there, that line needs its (empty) value
      // line, or the SEQEND would stand where a value belongs.
      if (!pair.has_value && after_seqend) lines.Add("");
    } else if (code0 && value != "SEQEND" && value != "VERTEX") {
      // the pair that ends the entity; it is held, not stored
    } else if (code0 && value == "SEQEND") {
      after_seqend = true;
      AddPair(record.trailer, pair);
    } else {
      AddPair(after_seqend ? record.trailer : record.header, pair);
    }

    if (code == "70") {
      if (record.vertices.empty() && !after_seqend) NoteHeaderFlags(record, pair.value);
    } else if (in_vertex && code == "42") {
      NoteBulge(record.vertices.back(), pair.value);
    } else if (in_vertex && code.size() == 2 && code[1] == '0' &&
               (code[0] == '1' || code[0] == '2' || code[0] == '3')) {
      Vertex& vertex = record.vertices.back();
      SetCoordinate(vertex, static_cast<char>('x' + (code[0] - '1')), pair.value);
    }

    if (code0 && value != "VERTEX" && value != "SEQEND") {
      input.PutBack(std::move(pair));
      return;
    }
  }
}

// The axis that an LWPOLYLINE coordinate code sets: 'x' for 10 and 11, 'y'
// for 20 and 21, 'z' for 30 and 31; 0 for any other code.
char LwAxis(std::string_view code) {
  if (code.size() != 2 || (code[1] != '0' && code[1] != '1')) return 0;
  if (code[0] == '1') return 'x';
  if (code[0] == '2') return 'y';
  if (code[0] == '3') return 'z';
  return 0;
}

// Reads the rest of an LWPOLYLINE entity into `record`; the pair that ends
// it is put back.
void ReadLwPolyline(PairStream& input, Polyline& record) {
  DxfPair pair;
  while (input.ReadPair(pair)) {
    const std::string_view code = Trimmed(pair.code);
    const char axis = LwAxis(code);
    if (axis == 'x') {
      if (const std::optional<double> x = ParseNumber(pair.value)) {
        Vertex& vertex = record.AddVertex();
        AddPair(vertex.pairs, pair);
        vertex.x = *x;
      }
    } else if (axis != 0) {
      const std::optional<double> number = ParseNumber(pair.value);
      if (!record.vertices.empty() && number) {
        Vertex& vertex = record.vertices.back();
        (axis == 'y' ? vertex.y : vertex.z) = *number;
        AddPair(vertex.pairs, pair);
      }
    } else if (code == "0") {
      input.PutBack(std::move(pair));
      return;
    } else if (!record.vertices.empty()) {
      Vertex& vertex = record.vertices.back();
      if (code == "42") NoteBulge(vertex, pair.value);
      AddPair(vertex.pairs, pair);
    } else {
      if (code == "70") NoteHeaderFlags(record, pair.value);
      AddPair(record.header, pair);
    }
  }
}

}  // namespace

bool ReadPolylines(PolylineModel& model, const std::string& file_name, NoticeSink& notices,
                   JobObserver* observer) {
  model = PolylineModel{};
  PairStream input;
  if (!input.Open(file_name)) {
    notices.Notify(Notice::kCannotOpenInput, file_name);
    return false;
  }
  input.WatchProgress(ProgressTap(observer, JobPhase::kReading, input.Size()));
  SectionState section;
  DxfPair pair;
  while (input.ReadPair(pair)) {
    section.Apply(pair.code, pair.value);
    if (!section.InsideEntities()) continue;
    const std::optional<PolylineKind> kind = PolylineStart(pair);
    if (!kind) continue;
    Polyline& record = model.AddPolyline();
    record.kind = *kind;
    AddPair(record.header, pair);
    if (*kind == PolylineKind::kPolyline) {
      ReadPolyline(input, record);
    } else {
      ReadLwPolyline(input, record);
    }
  }
  return true;
}

}  // namespace quillmere
