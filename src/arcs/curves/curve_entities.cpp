#include "arcs/curves/curve_entities.h"

#include <array>

#include "support/numbers.h"

namespace quillmere {

namespace {

// The groups every entity may have that a polyline in a curve's place
// keeps: handle, owners, subclass marker (AcDbEntity only), space, layout,
// layer, linetype, material, colour, lineweight, linetype scale,
// visibility, true colour, colour name, transparency, plot style, shadow.
// Proxy graphics (92, 160, 310) drew the curve and go with it.
constexpr std::array<int, 18> kKeptCodes = {5,  330, 360, 100, 67,  410, 8,   6,   347,
                                            62, 370, 48,  60,  420, 430, 440, 390, 284};

bool IsKeptCode(int code) {
  for (const int kept : kKeptCodes) {
    if (code == kept) return true;
  }
  return false;
}

}  // namespace

void CurveEntityReader::Take(const PairView& pair) {
  const std::string_view code = Trimmed(pair.code);
  handles_.Take(code, pair.value);
  if (seed_.IsSeedValue(code, pair.value)) {
    drawing_.handle_seed = ByteRange{pair.offset, pair.end};
    drawing_.handle_seed_code = pair.code;
    drawing_.handle_seed_value = pair.value;
  }
  version_.Apply(code, pair.value);
  if (code == "0" && reader_) EndCurve(pair.offset);
  section_.Apply(code, pair.value);
  if (code == "0" && section_.InsideEntities()) {
    const std::string_view name = Trimmed(pair.value);
    if (name == "SPLINE") StartCurve(pair, CurveEntity::kSpline);
    if (name == "ELLIPSE") StartCurve(pair, CurveEntity::kEllipse);
  } else if (reader_) {
    TakeCurvePair(code, pair);
  }
}

void CurveEntityReader::Finish(std::int64_t end) {
  if (reader_) EndCurve(end);
  drawing_.format_version = version_.Version();
  drawing_.largest_handle = handles_.Largest();
  drawing_.has_handles = handles_.Any();
}

void CurveEntityReader::StartCurve(const PairView& pair, CurveEntity entity) {
  CurveRecord& curve = drawing_.curves.emplace_back();
  curve.entity = entity;
  curve.place.begin = pair.offset;
  curve.start_code = pair.code;
  reader_.emplace(entity);
  in_group_ = false;
  in_extended_data_ = false;
}

void CurveEntityReader::TakeCurvePair(std::string_view code, const PairView& pair) {
  CurveRecord& curve = drawing_.curves.back();
  if (!pair.has_value) {
    curve.cut_off = true;
    return;
  }
  const int number = ParseWholeNumber(code).value_or(-1);
  if (number == 1001) in_extended_data_ = true;
  if (in_extended_data_) {
    curve.extended_data.AddPair(pair.code, pair.value);
    return;
  }
  if (number == 102) {
    // A group opens with "{NAME" and closes with "}"; what it holds is the
    // application's, kept whole and never part of the curve.
    in_group_ = !Trimmed(pair.value).starts_with('}');
    curve.kept.AddPair(pair.code, pair.value);
    return;
  }
  if (in_group_) {
    curve.kept.AddPair(pair.code, pair.value);
    return;
  }
  if (number == 100) {
    curve.subclass_markers = true;
    if (!LineIs(pair.value, "AcDbEntity")) return;
  }
  if (IsKeptCode(number)) {
    curve.kept.AddPair(pair.code, pair.value);
    if (number == 5) curve.handle = Trimmed(pair.value);
    if (number == 8) curve.layer = pair.value;
    if (number == 67) curve.space = pair.value;
    return;
  }
  reader_->Take(number, pair.value);
}

void CurveEntityReader::EndCurve(std::int64_t end) {
  CurveRecord& curve = drawing_.curves.back();
  curve.place.end = end;
  curve.reading = reader_->Finish();
  reader_.reset();
}

std::int64_t MarkFittedCurves(PolylineModel& model) {
  constexpr std::int32_t kFitted = kFlagCurveFit | kFlagSplineFit;
  constexpr std::int32_t kNoOutline = kFlag3d | kFlagPolygonMesh | kFlagPolyfaceMesh;
  std::int64_t marked = 0;
  for (PolylineRecord& polyline : model.polylines) {
    const std::int32_t flags = polyline.header_flags;
    if (polyline.kind != PolylineKind::kPolyline || (flags & kFitted) == 0 ||
        (flags & kNoOutline) != 0) {
      continue;
    }
    std::int32_t on_curve = 0;
    for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
      on_curve += model.HasMark(model.VertexIndex(polyline, v), kVertexFrame) ? 0 : 1;
    }
    polyline.fit_converted = on_curve >= 2;
    marked += polyline.fit_converted ? 1 : 0;
  }
  return marked;
}

}  // namespace quillmere
