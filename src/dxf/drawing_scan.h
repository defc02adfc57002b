#pragma once

#include <cstdint>
#include <optional>

#include "dxf/dxf_text.h"
#include "dxf/pair_stream.h"
#include "dxf/pair_watch.h"
#include "dxf/polyline_builder.h"
#include "dxf/polyline_model.h"

namespace quillmere {

// The polyline reader's walk through the pairs of a file, or of a part of
// it: the sections, the polyline entities of the ENTITIES section (each read
// by a PolylineBuilder), and whether the lines between and inside them end
// with CR LF.
class DrawingScan {
 public:
  // A walk from the start of a file, or from a pair at the top level of the
  // ENTITIES section (`inside_entities`), where no entity is open.
  // `watch`, when given, sees every pair first.
  DrawingScan(PolylineModel& model, bool inside_entities, PairWatch* watch = nullptr);

  void Take(const PairView& pair);

  // Whether a pair that starts a polyline would start one here: at the
  // top level of the ENTITIES section once the open entity, if any, ends.
  bool StartsPolylinesHere() const { return section_.InsideEntities(); }

  // Whether an OBJECTS section began so far.
  bool ObjectsSeen() const { return section_.ObjectsSeen(); }

  // Ends the walk at byte `end`: the open entity ends there. Returns
  // whether the lines since the last entity ended with CR LF.
  bool Finish(std::int64_t end);

 private:
  PolylineModel& model_;
  PairWatch* watch_;
  SectionState section_;
  std::optional<PolylineBuilder> entity_;
  // Whether every line since the start of the current entity, or of the
  // lines between two entities, ended with CR LF.
  bool in_crlf_ = true;
};

}  // namespace quillmere
