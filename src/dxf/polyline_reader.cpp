#include "dxf/polyline_reader.h"

#include "dxf/dxf_copy.h"
#include "dxf/dxf_input.h"
#include "dxf/dxf_number.h"
#include "dxf/dxf_text.h"
#include "i18n/catalogue.h"

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

// Reads the rest of a POLYLINE entity into `record`. Returns true when the
// entity ended at a pair that is left in `pair` for the main loop.
bool ReadPolyline(DxfInput& input, DxfPair& pair, Polyline& record) {
  bool in_vertex = false;
  bool after_seqend = false;
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

    if (code0 && value != "VERTEX" && value != "SEQEND") return true;
  }
  return false;
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

// Reads the rest of an LWPOLYLINE entity into `record`.
bool ReadLwPolyline(DxfInput& input, DxfPair& pair, Polyline& record) {
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
      return true;
    } else if (!record.vertices.empty()) {
      Vertex& vertex = record.vertices.back();
      if (code == "42") NoteBulge(vertex, pair.value);
      AddPair(vertex.pairs, pair);
    } else {
      if (code == "70") NoteHeaderFlags(record, pair.value);
      AddPair(record.header, pair);
    }
  }
  return false;
}

}  // namespace

void ReadPolylines(PolylineModel& model, const std::string& file_name, MessageSink& messages) {
  model = PolylineModel{};
  DxfInput input;
  if (!input.Open(file_name)) {
    messages.ShowError(FileMessage(kTextCannotOpen, file_name));
    return;
  }
  SectionState section;
  DxfPair pair;
  bool held = false;
  while (held || input.HasMore()) {
    if (!held && !input.ReadPair(pair)) break;
    held = false;
    section.Apply(pair.code, pair.value);
    if (!section.InsideEntities()) continue;
    const std::optional<PolylineKind> kind = PolylineStart(pair);
    if (!kind) continue;
    Polyline& record = model.AddPolyline();
    record.kind = *kind;
    AddPair(record.header, pair);
    held = *kind == PolylineKind::kPolyline ? ReadPolyline(input, pair, record)
                                             : ReadLwPolyline(input, pair, record);
  }
}

}  // namespace quillmere

namespace quillmere {

void ShowNoPolylines(MessageSink& messages) {
  messages.ShowInformation(CatalogueText(kTextNoPolylinesTitle), CatalogueText(kTextNoPolylines));
}

}  // namespace quillmere
