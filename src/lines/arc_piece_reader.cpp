#include "lines/arc_piece_reader.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>

#include "dxf/dxf_text.h"
#include "dxf/handle_text.h"
#include "lines/line_reader.h"
#include "lines/piece_lines.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// What an ARC entity states about its geometry.
struct ArcGroups {
  double centre[3] = {0, 0, 0};
  bool has_z = false;
  // NaN while the entity has not stated them.
  double radius = std::numeric_limits<double>::quiet_NaN();
  double start_angle = std::numeric_limits<double>::quiet_NaN();  // degrees
  double end_angle = std::numeric_limits<double>::quiet_NaN();
  double extrusion[3] = {0, 0, 1};
};

// Takes a geometry pair into `arc`; false for any other pair.
bool TakeGeometry(std::string_view code, std::string_view value, ArcGroups& arc) {
  static constexpr std::string_view kCentre[] = {"10", "20", "30"};
  static constexpr std::string_view kExtrusion[] = {"210", "220", "230"};
  const std::optional<double> number = ParseNumber(value);
  for (int axis = 0; axis < 3; ++axis) {
    if (code == kCentre[axis]) {
      if (number) arc.centre[axis] = *number;
      arc.has_z = arc.has_z || axis == 2;
      return true;
    }
    if (code == kExtrusion[axis]) {
      if (number) arc.extrusion[axis] = *number;
      return true;
    }
  }
  double* const target = code == "40"   ? &arc.radius
                         : code == "50" ? &arc.start_angle
                         : code == "51" ? &arc.end_angle
                                        : nullptr;
  if (target == nullptr) return false;
  if (number) *target = *number;
  return true;
}

// The piece an arc gives: its end points and the bulge, as seen from
// above; nothing when it gives none.
struct ArcPiece {
  double x[2];
  double y[2];
  double z = 0;
  double bulge = 0;
};

std::optional<ArcPiece> PieceOf(const ArcGroups& arc) {
  const bool upward = arc.extrusion[0] == 0 && arc.extrusion[1] == 0 && arc.extrusion[2] == 1;
  const bool downward = arc.extrusion[0] == 0 && arc.extrusion[1] == 0 && arc.extrusion[2] == -1;
  if (!upward && !downward) return std::nullopt;
  const double sweep = std::fmod(arc.end_angle - arc.start_angle, 360.0);
  const double degrees = sweep < 0 ? sweep + 360 : sweep;
  const bool drawn = arc.radius > 0 && std::isfinite(arc.radius) && degrees > 0;
  if (!drawn) return std::nullopt;
  constexpr double kRadiansPerDegree = std::numbers::pi / 180;
  ArcPiece piece;
  const double angles[2] = {arc.start_angle * kRadiansPerDegree, arc.end_angle * kRadiansPerDegree};
  // Seen from below, the arc's own x axis points the other way.
  const double mirror = downward ? -1 : 1;
  for (int k = 0; k < 2; ++k) {
    piece.x[k] = mirror * (arc.centre[0] + arc.radius * std::cos(angles[k]));
    piece.y[k] = arc.centre[1] + arc.radius * std::sin(angles[k]);
  }
  piece.z = mirror * arc.centre[2];
  piece.bulge = mirror * std::tan(degrees * kRadiansPerDegree / 4);
  return piece;
}

// Builds the record of one ARC while its body is read.
class ArcRecordBuilder {
 public:
  ArcRecordBuilder(LineModel& model, std::string_view code_line)
      : model_(model), record_(model.AddRecord()), style_(LineOutputStyle(model.format_version)) {
    record_.piece = PieceKind::kArc;
    StartPolylineHeader(record_, code_line, style_);
  }

  ArcRecordBuilder(const ArcRecordBuilder&) = delete;
  ArcRecordBuilder& operator=(const ArcRecordBuilder&) = delete;

  void Take(const DxfPair& pair) {
    const std::string_view code = Trimmed(pair.code);
    if (code == "1001") in_extended_data_ = true;
    if (!in_extended_data_) {
      if (TakeGeometry(code, Trimmed(pair.value), arc_)) return;
      if (code == "100" && pair.value == "AcDbArc") return;
      if (code == "8") record_.layer = pair.value;
    }
    const bool subclass = !in_extended_data_ && code == "100" && pair.value == "AcDbCircle";
    const bool closing = in_extended_data_ && style_ == PolylineKind::kLwPolyline;
    (closing ? record_.trailer : record_.header)
        .AddPair(pair.code, subclass ? std::string_view("AcDbPolyline") : std::string_view(pair.value));
  }

  void Finish() {
    const std::optional<ArcPiece> piece = PieceOf(arc_);
    if (!piece) {
      record_.kept_as_read = true;
      return;
    }
    for (int k = 0; k < 2; ++k) AddVertex(*piece, k);
    record_.vertices[0].bulge = piece->bulge;
    if (style_ == PolylineKind::kPolyline) record_.trailer.AddPair(" 0", "SEQEND");
  }

 private:
  void AddVertex(const ArcPiece& piece, int k) {
    LineVertex& vertex = record_.AddVertex();
    vertex.x = piece.x[k];
    vertex.y = piece.y[k];
    vertex.z = piece.z;
    vertex.pairs.AddPair(" 10", FormatGeneral(vertex.x));
    vertex.pairs.AddPair(" 20", FormatGeneral(vertex.y));
    if (arc_.has_z) vertex.pairs.AddPair(" 30", FormatGeneral(vertex.z));
    if (style_ != PolylineKind::kPolyline) return;
    const std::string handle = model_.has_handles ? FormatHandle(++model_.largest_handle) : "";
    MakeVertexEntity(vertex, model_.has_handles ? &handle : nullptr, record_.layer);
  }

  LineModel& model_;
  LineRecord& record_;
  const PolylineKind style_;
  ArcGroups arc_;
  bool in_extended_data_ = false;
};

}  // namespace

void ReadArcEntity(const DxfPair& start, PairStream& input, LineModel& model) {
  ArcRecordBuilder builder(model, start.code);
  model.records.back().entity_offset = start.offset;
  DxfPair pair;
  while (input.ReadBodyPair(pair)) builder.Take(pair);
  builder.Finish();
}

}  // namespace quillmere
