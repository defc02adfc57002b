#include "join/piece_ends.h"

#include <optional>
#include <string_view>

#include "dxf/dxf_text.h"
#include "support/input_file.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// Calls `use(code, value)` for every pair of the bytes [begin, end).
template <typename Use>
void ForEachPairOf(InputWindow& window, std::int64_t begin, std::int64_t end, std::string& bytes,
                   Use use) {
  bytes.clear();
  window.Read(begin, end, [&bytes](std::string_view part) { bytes.append(part); });
  std::size_t pos = 0;
  std::string_view code;
  std::string_view value;
  while (NextLine(bytes, pos, code)) {
    if (!NextLine(bytes, pos, value)) value = {};
    use(Trimmed(code), value);
  }
}

double BulgeOf(InputWindow& window, std::int64_t begin, std::int64_t end, std::string& bytes) {
  double bulge = 0;
  ForEachPairOf(window, begin, end, bytes, [&bulge](std::string_view code, std::string_view value) {
    if (code != "42") return;
    if (const std::optional<double> number = ParseNumber(value)) bulge = *number;
  });
  return bulge;
}

}  // namespace

// The parts are read in file order through one window, so that the whole
// pass costs one read per block of the file.
std::vector<PieceEnds> ReadPieceEnds(const PolylineModel& model, const std::string& input_name) {
  std::vector<PieceEnds> ends(model.polylines.size());
  InputFile input;
  if (!input.Open(input_name)) return ends;
  InputWindow window(input);
  std::string bytes;
  for (std::size_t n = 0; n < model.polylines.size(); ++n) {
    const PolylineRecord& polyline = model.polylines[n];
    if (polyline.vertex_count < 2) continue;
    PieceEnds& piece = ends[n];
    ForEachPairOf(window, polyline.place.start, polyline.place.vertices, bytes,
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
    piece.first_bulge = BulgeOf(window, polyline.place.vertices, second, bytes);
    piece.last_bulge = polyline.vertex_count == 2 ? piece.first_bulge
                                                  : BulgeOf(window, last_but_one, last, bytes);
  }
  return ends;
}

}  // namespace quillmere
