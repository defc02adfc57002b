#include "dxf/polyline_builder.h"

#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

#include "dxf/dxf_text.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// The axis of a coordinate code: 'x' for 10 (and for 11 in an LWPOLYLINE),
// 'y' for 20/21, 'z' for 30/31; 0 for any other code.
char AxisOf(std::string_view code, bool lightweight) {
  if (code.size() != 2 || (code[1] != '0' && !(lightweight && code[1] == '1'))) return 0;
  if (code[0] == '1') return 'x';
  if (code[0] == '2') return 'y';
  if (code[0] == '3') return 'z';
  return 0;
}

}  // namespace

PolylineBuilder::PolylineBuilder(PolylineModel& model, PolylineKind kind, const PairView& start)
    : model_(model), index_(model.polylines.size()) {
  PolylineRecord& record = model.AddPolyline(kind);
  record.place.start = start.offset;
}

bool PolylineBuilder::Take(const PairView& pair) {
  const std::string_view code = Trimmed(pair.code);
  return Record().kind == PolylineKind::kPolyline ? TakePolylinePair(pair, code)
                                                  : TakeLwPolylinePair(pair, code);
}

bool PolylineBuilder::TakePolylinePair(const PairView& pair, std::string_view code) {
  if (code == "0") {
    const std::string_view name = Trimmed(pair.value);
    in_vertex_ = name == "VERTEX";
    if (in_vertex_) {
      StartVertex(pair.offset);
      return true;
    }
    if (name != "SEQEND") return false;
    after_seqend_ = true;
    if (trailer_begin_ < 0) trailer_begin_ = pair.offset;
    return true;
  }
  if (in_vertex_) {
    NoteMissingValue(pair);
    if (code == "42") {
      NoteBulge(pair.value);
    } else if (code == "70") {
      const std::optional<std::int32_t> flags = ParseWholeNumber(pair.value);
      model_.SetMark(model_.vertices.Count() - 1, kVertexFrame,
                     flags && (*flags & kVertexFlagFrame) != 0);
    } else if (const char axis = AxisOf(code, false); axis != 0) {
      if (const auto number = PendingNumber::Of(pair.value, !model_.ends_only)) {
        if (axis == 'x') pending_x_ = *number;
        if (axis == 'y') pending_y_ = *number;
        if (axis == 'z') SetZ(number->Value());
      }
    }
  } else if (!after_seqend_ && code == "70") {
    if (const std::optional<std::int32_t> flags = ParseWholeNumber(pair.value)) {
      Record().header_flags = *flags;
    }
  }
  return true;
}

bool PolylineBuilder::TakeLwPolylinePair(const PairView& pair, std::string_view code) {
  const char axis = AxisOf(code, true);
  if (axis != 0) {
    const auto number = PendingNumber::Of(pair.value, !model_.ends_only);
    if (number && axis == 'x') {
      StartVertex(pair.offset);
      pending_x_ = *number;
    } else if (number && Record().vertex_count > 0) {
      if (axis == 'y') pending_y_ = *number;
      if (axis == 'z') SetZ(number->Value());
    } else {
      SetAside({pair.offset, pair.end}, SetAsideKind::kLeftOut);
    }
    return true;
  }
  if (code == "0") return false;
  if (Record().vertex_count > 0) {
    NoteMissingValue(pair);
    if (code == "42") NoteBulge(pair.value);
    if (code == "1001" && extended_data_begin_ < 0) extended_data_begin_ = pair.offset;
  } else if (code == "70") {
    if (const std::optional<std::int32_t> flags = ParseWholeNumber(pair.value)) {
      Record().header_flags = *flags;
    }
  }
  return true;
}

void PolylineBuilder::StartVertex(std::int64_t offset) {
  PolylineRecord& record = Record();
  // A model of ends only keeps the vertex before this one only when it is
  // the first.
  if (record.vertex_count > 0 && (!model_.ends_only || record.vertex_count == 1)) SettleVertex();
  pending_x_ = {};
  pending_y_ = {};
  if (trailer_begin_ >= 0) {
    // Closing lines in front of this vertex: written behind all vertices.
    SetAside({trailer_begin_, offset}, SetAsideKind::kMovedToTrailer);
    trailer_begin_ = -1;
  }
  // Extended data with a vertex behind it is no longer the entity's end:
  // its pairs stay with the vertex they follow.
  extended_data_begin_ = -1;
  std::int64_t step = 0;
  if (record.vertex_count == 0) {
    record.place.vertices = offset;
  } else {
    step = offset - last_vertex_offset_;
  }
  if (step > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("a polyline vertex of more than 4 GiB");
  }
  last_vertex_offset_ = offset;
  model_.AddVertex(0, 0, 0, static_cast<std::uint32_t>(step));
}

void PolylineBuilder::SettleVertex() {
  if (model_.visitor != nullptr) {
    model_.passing_x.back() = pending_x_.Value();
    model_.passing_y.back() = pending_y_.Value();
    return;
  }
  model_.vertices.x.Back() = pending_x_.Value();
  model_.vertices.y.Back() = pending_y_.Value();
}

std::optional<PolylineBuilder::PendingNumber> PolylineBuilder::PendingNumber::Of(
    std::string_view text, bool read_now) {
  PendingNumber number;
  if (read_now || text.size() > kRoom) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) return std::nullopt;
    number.value_ = *value;
    number.size_ = kRoom + 1;
    return number;
  }
  if (!IsNumber(text)) return std::nullopt;
  std::memcpy(number.text_, text.data(), text.size());
  number.size_ = text.size();
  return number;
}

double PolylineBuilder::PendingNumber::Value() const {
  if (size_ == 0) return 0;
  if (size_ > kRoom) return value_;
  return *ParseNumber(std::string_view(text_, size_));
}

void PolylineBuilder::SetZ(double z) {
  PolylineRecord& record = Record();
  if (record.vertex_count == 1) record.first_z = z;
  record.last_z = z;
}

void PolylineBuilder::NoteBulge(std::string_view value) {
  const std::optional<double> bulge = ParseNumber(value);
  if (bulge && *bulge != 0) model_.SetMark(model_.vertices.Count() - 1, kVertexCarriesArc, true);
}

// Only the last line of the file can be a code line without its value.
void PolylineBuilder::NoteMissingValue(const PairView& pair) {
  if (pair.has_value) return;
  PolylineRecord& record = Record();
  record.last_vertex_lacks_value = true;
  // A vertex behind closing lines is written in front of them: its code
  // line must not be followed by theirs.
  record.value_line_supplied = after_seqend_;
}

void PolylineBuilder::SetAside(ByteRange range, SetAsideKind kind) {
  std::vector<SetAsidePairs>& set_aside = model_.set_aside;
  const bool own_before = set_aside.size() > Record().set_aside_first;
  if (own_before && set_aside.back().kind == kind && set_aside.back().range.end == range.begin) {
    set_aside.back().range.end = range.end;  // one range for pairs in a row
  } else {
    set_aside.push_back({range, kind});
  }
}

void PolylineBuilder::Finish(std::int64_t end, bool in_crlf) {
  PolylineRecord& record = Record();
  if (record.vertex_count > 0) SettleVertex();
  record.place.end = end;
  record.place.trailer = trailer_begin_ >= 0 ? trailer_begin_ : end;
  if (record.vertex_count == 0) record.place.vertices = record.place.trailer;
  record.place.extended_data = extended_data_begin_ >= 0 ? extended_data_begin_ : record.place.trailer;
  record.set_aside_count = static_cast<std::uint32_t>(model_.set_aside.size() - record.set_aside_first);
  record.entity_in_crlf = in_crlf;
  if (model_.visitor != nullptr) {
    model_.visitor->Visit(model_, static_cast<std::int32_t>(index_), model_.passing_x,
                          model_.passing_y);
  }
}

}  // namespace quillmere
