#include "dxf/polyline_entities.h"

#include "dxf/copy_ends.h"
#include "dxf/dxf_text.h"

namespace quillmere {

std::optional<PolylineKind> PolylineStart(std::string_view code, std::string_view value) {
  if (!LineIs(code, "0")) return std::nullopt;
  const std::string_view name = Trimmed(value);
  if (name == "POLYLINE") return PolylineKind::kPolyline;
  if (name == "LWPOLYLINE") return PolylineKind::kLwPolyline;
  return std::nullopt;
}

Status CopyReplacingPolylines(const PolylineModel& model, const JobInput& input,
                              const std::string& output_name,
                              const std::function<void(PolylineOutput&, std::int32_t)>& write_polyline,
                              JobObserver* observer, const DrawingEdits* edits,
                              const ReplacedParts* replaced) {
  Result<OutputFile> output = StartCopy(input, output_name);
  RETURN_IF_FAILED(output);
  const ProgressTap tap(observer, JobPhase::kWriting, input.Size());
  PolylineOutput writer(model, input, *output, tap, edits);
  std::int64_t copied = 0;
  // The replaced parts in front of `limit`, with the lines around them;
  // `gap_in_crlf` tells the lines of the gap that holds them.
  std::size_t next_part = 0;
  const auto replace_parts_before = [&](std::int64_t limit, bool gap_in_crlf) {
    if (replaced == nullptr) return;
    for (; next_part < replaced->places.size() && replaced->places[next_part].begin < limit;
         ++next_part) {
      const ByteRange& place = replaced->places[next_part];
      writer.CopyLines(copied, place.begin, gap_in_crlf);
      replaced->write(writer, next_part);
      copied = place.end;
    }
  };
  for (std::int32_t n = 0; n < model.PolylineCount(); ++n) {
    const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(n)];
    replace_parts_before(polyline.place.start, polyline.gap_in_crlf);
    writer.CopyLines(copied, polyline.place.start, polyline.gap_in_crlf);
    write_polyline(writer, n);
    copied = polyline.place.end;
  }
  replace_parts_before(input.Size() + 1, model.final_gap_in_crlf);
  writer.CopyLines(copied, input.Size(), model.final_gap_in_crlf);
  // A stop asked for while the last block was copied still keeps the
  // previous output.
  tap.Report(input.Size());
  return FinishCopy(input, *output);
}

}  // namespace quillmere
