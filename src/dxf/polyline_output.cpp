#include "dxf/polyline_output.h"

#include <algorithm>

#include "dxf/dxf_text.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// Calls `use(begin, end)` for the parts of [begin, end) outside the
// set-aside pairs of `set_aside`, which are in file order.
template <typename Use>
void ForEachKeptRange(std::span<const SetAsidePairs> set_aside, std::int64_t begin,
                      std::int64_t end, Use use) {
  auto next = std::lower_bound(
      set_aside.begin(), set_aside.end(), begin,
      [](const SetAsidePairs& pairs, std::int64_t offset) { return pairs.range.end <= offset; });
  for (; next != set_aside.end() && next->range.begin < end; ++next) {
    if (next->range.begin > begin) use(begin, next->range.begin);
    begin = std::max(begin, next->range.end);
  }
  if (begin < end) use(begin, end);
}

}  // namespace

PolylineOutput::PolylineOutput(const PolylineModel& model, InputFile& input, OutputFile& output,
                               ProgressTap progress)
    : model_(model), output_(output), walk_(input), elsewhere_(input, 0), lines_(output) {
  walk_.WatchProgress(progress);
}

void PolylineOutput::CopyRange(std::int64_t begin, std::int64_t end, bool in_crlf,
                               InputWindow& window) {
  window.Read(begin, end, [this, in_crlf](std::string_view bytes) {
    if (in_crlf) {
      lines_.WriteAsIs(bytes);
    } else {
      lines_.Write(bytes);
    }
  });
  lines_.EndRange();
}

void PolylineOutput::CopyLines(std::int64_t begin, std::int64_t end, bool in_crlf) {
  CopyRange(begin, end, in_crlf, walk_);
}

void PolylineOutput::CopyPairs(const PolylineRecord& polyline, std::int64_t begin,
                               std::int64_t end, bool elsewhere) {
  InputWindow& window = elsewhere ? elsewhere_ : walk_;
  ForEachKeptRange(model_.SetAside(polyline), begin, end,
                   [&](std::int64_t from, std::int64_t to) {
                     CopyRange(from, to, polyline.entity_in_crlf, window);
                   });
}

template <typename Use>
void PolylineOutput::ForEachPair(const PolylineRecord& polyline, std::int64_t begin,
                                 std::int64_t end, Use use) {
  ForEachKeptRange(model_.SetAside(polyline), begin, end, [&](std::int64_t from, std::int64_t to) {
    scratch_.clear();
    walk_.Read(from, to, [this](std::string_view bytes) { scratch_.append(bytes); });
    std::size_t pos = 0;
    std::string_view code;
    std::string_view value;
    while (NextLine(scratch_, pos, code)) {
      const bool has_value = NextLine(scratch_, pos, value);
      use(code, value, has_value);
    }
  });
}

void PolylineOutput::WriteHeader(const PolylineRecord& polyline, std::int64_t vertex_count) {
  const std::string count = std::to_string(vertex_count);
  ForEachPair(polyline, polyline.place.start, polyline.place.vertices,
              [&](std::string_view code, std::string_view value, bool has_value) {
                output_.WriteLine(code);
                if (has_value) output_.WriteLine(LineIs(code, "90") ? std::string_view(count) : value);
              });
}

void PolylineOutput::WriteVertexWithBulge(const PolylineRecord& polyline, std::int64_t begin,
                                          std::int64_t end, double bulge) {
  const std::string bulge_value = FormatGeneral(bulge);
  bool bulge_written = false;
  const auto write_bulge = [&] {
    output_.WriteLine("42");
    output_.WriteLine(bulge_value);
    bulge_written = true;
  };
  ForEachPair(polyline, begin, end,
              [&](std::string_view code, std::string_view value, bool has_value) {
                if (LineIs(code, "42")) return;
                // A VERTEX's extended data ends the entity: readers would take
                // a bulge behind it for part of it.
                if (!bulge_written && LineIs(code, "1001")) write_bulge();
                output_.WriteLine(code);
                if (has_value) output_.WriteLine(value);
              });
  if (!bulge_written) write_bulge();
}

void PolylineOutput::WriteTrailer(const PolylineRecord& polyline) {
  // Moved pairs lie in front of later vertices: they are fetched from
  // there, and the walk through the file keeps its place.
  for (const SetAsidePairs& pairs : model_.SetAside(polyline)) {
    if (pairs.kind != SetAsideKind::kMovedToTrailer) continue;
    CopyRange(pairs.range.begin, pairs.range.end, polyline.entity_in_crlf, elsewhere_);
  }
  CopyPairs(polyline, polyline.place.trailer, polyline.place.end);
}

std::int64_t PolylineOutput::VertexOffset(const PolylineRecord& polyline, std::int32_t v) const {
  if (v >= polyline.vertex_count) return polyline.place.extended_data;
  std::int64_t offset = polyline.place.vertices;
  for (std::int32_t k = 1; k <= v; ++k) offset += model_.vertices.step[polyline.first_vertex + k];
  return offset;
}

}  // namespace quillmere
