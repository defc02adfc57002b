#include "dxf/polyline_reader.h"

#include <optional>

#include "dxf/dxf_text.h"
#include "dxf/pair_stream.h"
#include "dxf/polyline_builder.h"
#include "dxf/polyline_entities.h"

namespace quillmere {

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
  std::optional<PolylineBuilder> entity;
  // Whether every line since the start of the current entity, or of the
  // lines between two entities, ended with CR LF.
  bool in_crlf = true;
  std::int64_t read = 0;
  PairView pair;
  while (input.ReadPairView(pair)) {
    read = pair.end;
    if (entity) {
      if (entity->Take(pair)) {
        in_crlf = in_crlf && pair.ends_in_crlf;
        continue;
      }
      entity->Finish(pair.offset, in_crlf);
      entity.reset();
      in_crlf = true;
    }
    section.Apply(pair.code, pair.value);
    const std::optional<PolylineKind> kind =
        section.InsideEntities() ? PolylineStart(pair.code, pair.value) : std::nullopt;
    if (kind) {
      entity.emplace(model, *kind, pair);
      model.polylines.back().gap_in_crlf = in_crlf;
      in_crlf = pair.ends_in_crlf;
    } else {
      in_crlf = in_crlf && pair.ends_in_crlf;
    }
  }
  if (entity) {
    entity->Finish(read, in_crlf);
    in_crlf = true;
  }
  model.final_gap_in_crlf = in_crlf;
  return true;
}

}  // namespace quillmere
