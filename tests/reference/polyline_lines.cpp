#include "polyline_lines.h"

#include <fstream>
#include <iterator>

namespace quillmere::testing {

namespace {

// Appends the lines of text[begin, end) without the set-aside pairs of
// `polyline`.
void AppendLines(const std::string& text, std::int64_t begin, std::int64_t end,
                 const PolylineModel& model, const PolylineRecord& polyline, Lines& lines) {
  std::string kept;
  for (std::int64_t at = begin; at < end; ++at) {
    bool set_aside = false;
    for (const SetAsidePairs& pairs : model.SetAside(polyline)) {
      set_aside = set_aside || (at >= pairs.range.begin && at < pairs.range.end);
    }
    if (!set_aside) kept.push_back(text[static_cast<std::size_t>(at)]);
  }
  std::size_t pos = 0;
  while (pos < kept.size()) {
    std::size_t lf = kept.find('\n', pos);
    const bool ended = lf != std::string::npos;
    if (!ended) lf = kept.size();
    std::string line = kept.substr(pos, lf - pos);
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = lf + 1;
  }
}

}  // namespace

PolylineLines LinesOf(const PolylineModel& model, std::int32_t index, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
  PolylineLines lines;
  AppendLines(text, polyline.place.start, polyline.place.vertices, model, polyline, lines.header);
  std::int64_t begin = polyline.place.vertices;
  for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
    const std::int64_t end = v + 1 < polyline.vertex_count
                                 ? begin + model.vertices.step[model.VertexIndex(polyline, v + 1)]
                                 : polyline.place.extended_data;
    AppendLines(text, begin, end, model, polyline, lines.vertices.emplace_back());
    begin = end;
  }
  if (polyline.value_line_supplied) lines.vertices.back().push_back("");
  AppendLines(text, polyline.place.extended_data, polyline.place.trailer, model, polyline,
              lines.extended_data);
  for (const SetAsidePairs& pairs : model.SetAside(polyline)) {
    if (pairs.kind != SetAsideKind::kMovedToTrailer) continue;
    PolylineRecord whole = polyline;
    whole.set_aside_count = 0;  // the moved pairs themselves are taken
    AppendLines(text, pairs.range.begin, pairs.range.end, model, whole, lines.trailer);
  }
  AppendLines(text, polyline.place.trailer, polyline.place.end, model, polyline, lines.trailer);
  return lines;
}

}  // namespace quillmere::testing
