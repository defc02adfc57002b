#include "dxf/drawing_scan.h"

#include "dxf/polyline_entities.h"

namespace quillmere {

DrawingScan::DrawingScan(PolylineModel& model, bool inside_entities, PairWatch* watch)
    : model_(model), watch_(watch) {
  if (inside_entities) {
    section_.Apply("0", "SECTION");
    section_.Apply("2", "ENTITIES");
  }
}

void DrawingScan::Take(const PairView& pair) {
  if (watch_ != nullptr) watch_->Take(pair);
  if (entity_) {
    if (entity_->Take(pair)) {
      in_crlf_ = in_crlf_ && pair.ends_in_crlf;
      return;
    }
    entity_->Finish(pair.offset, in_crlf_);
    entity_.reset();
    in_crlf_ = true;
  }
  section_.Apply(pair.code, pair.value);
  const std::optional<PolylineKind> kind =
      section_.InsideEntities() ? PolylineStart(pair.code, pair.value) : std::nullopt;
  if (kind) {
    entity_.emplace(model_, *kind, pair);
    model_.polylines.back().gap_in_crlf = in_crlf_;
    in_crlf_ = pair.ends_in_crlf;
  } else {
    in_crlf_ = in_crlf_ && pair.ends_in_crlf;
  }
}

bool DrawingScan::Finish(std::int64_t end) {
  if (watch_ != nullptr) watch_->Finish(end);
  if (entity_) {
    entity_->Finish(end, in_crlf_);
    entity_.reset();
    in_crlf_ = true;
  }
  return in_crlf_;
}

}  // namespace quillmere
