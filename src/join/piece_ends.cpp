#include "join/piece_ends.h"

#include <optional>
#include <string_view>

#include "dxf/dxf_text.h"
#include "dxf/input_lines.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// Calls `use(code, value)` for every pair of the bytes [begin, end).
template <typename Use>
void ForEachPairOf(const JobInput& input, std::int64_t begin, std::int64_t end, Use use) {
  InputLines lines(input, begin, end);
  std::string_view code;
  std::string_view value;
  while (lines.Next(code)) {
    if (!lines.Next(value)) value = {};
    use(Trimmed(code), value);
  }
}

double BulgeOf(const JobInput& input, std::int64_t begin, std::int64_t end) {
  double bulge = 0;
  ForEachPairOf(input, begin, end, [&bulge](std::string_view code, std::string_view value) {
    if (code != "42") return;
    if (const std::optional<double> number = ParseNumber(value)) bulge = *number;
  });
  return bulge;
}

}  // namespace

std::vector<PieceEnds> ReadPieceEnds(const PolylineModel& model, const JobInput& input) {
  std::vector<PieceEnds> ends(model.polylines.size());
  for (std::size_t n = 0; n < model.polylines.size(); ++n) {
    const PolylineRecord& polyline = model.polylines[n];
    if (polyline.vertex_count < 2) continue;
    PieceEnds& piece = ends[n];
    ForEachPairOf(input, polyline.place.start, polyline.place.vertices,
                  [&piece](std::string_view code, std::string_view value) {
                    if (code == "8") piece.layer = std::string(Trimmed(value));
                  });
    // Where the vertices begin: the first, the last but one and the last.
    std::int64_t offset = polyline.place.vertices;
    std::int64_t second = polyline.place.trailer;
    std::int64_t last_but_one = offset;
    std::int64_t last = polyline.place.trailer;
    for (std::int32_t v = 1; v < polyline.vertex_count; ++v) {
      offset += model.vertices.step[polyline.first_vertex + v];
      if (v == 1) second = offset;
      if (v == polyline.vertex_count - 2) last_but_one = offset;
      if (v == polyline.vertex_count - 1) last = offset;
    }
    piece.first_bulge = BulgeOf(input, polyline.place.vertices, second);
    piece.last_bulge = polyline.vertex_count == 2 ? piece.first_bulge
                                                  : BulgeOf(input, last_but_one, last);
  }
  return ends;
}

}  // namespace quillmere
