#include "dxf/polyline_output.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

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

// A group-70 value with the flags `set` set and `cleared` cleared, as
// wide as it was.
std::string WithFlags(std::string_view value, std::int32_t set, std::int32_t cleared) {
  const std::optional<std::int32_t> flags = ParseWholeNumber(value);
  if (!flags) return std::string(value);
  std::string text = std::to_string((*flags | set) & ~cleared);
  if (text.size() < value.size()) text.insert(0, value.size() - text.size(), ' ');
  return text;
}

// A number of the input with the other sign, digits as they were; zero
// stays as it is. Empty for a value that is no number, which is then left
// out.
std::string NegatedNumber(std::string_view value) {
  const std::optional<double> number = ParseNumber(value);
  if (!number) return {};
  const std::string_view digits = Trimmed(value);
  if (*number == 0) return std::string(digits);
  if (digits.front() == '-') return std::string(digits.substr(1));
  std::string negated(1, '-');
  negated.append(digits.substr(digits.front() == '+' ? 1 : 0));
  return negated;
}

}  // namespace

PolylineOutput::PolylineOutput(const PolylineModel& model, const JobInput& input,
                               OutputFile& output, ProgressTap progress,
                               const DrawingEdits* edits)
    : model_(model), edits_(edits), input_(input), output_(output), walk_(input, 0, progress),
      lines_(output), window_(input) {}

void PolylineOutput::CopyRange(std::int64_t begin, std::int64_t end, bool in_crlf, bool walking) {
  const auto write = [&](std::string_view part) {
    if (in_crlf) {
      lines_.WriteAsIs(part);
    } else {
      lines_.Write(part);
    }
  };
  ForEachEditedPart(
      edits_, begin, end,
      [&](std::int64_t from, std::int64_t to) {
        for (std::int64_t at = from; at < to;) {
          const std::string_view part = window_.Read(at, to);
          write(part);
          at += static_cast<std::int64_t>(part.size());
        }
        lines_.EndRange();
        if (walking) walk_.Reach(to);
      },
      [&](const PairEdit& edit) {
        if (!edit.keeps_pair) return;
        output_.WriteLine(edit.code);
        output_.WriteLine(edit.value);
      });
}

template <typename Use>
void PolylineOutput::ForEachPairOf(std::int64_t begin, std::int64_t end, Use& use) {
  // Through the window as a rule; pairs longer than it from the mapping.
  const std::string_view bytes = window_.Read(begin, end);
  InputLines lines = static_cast<std::int64_t>(bytes.size()) == end - begin
                         ? InputLines(bytes)
                         : InputLines(input_, begin, end);
  std::string_view code;
  std::string_view value;
  while (lines.Next(code)) {
    const bool has_value = lines.Next(value);
    use(code, value, has_value);
  }
}

void PolylineOutput::CopyLines(std::int64_t begin, std::int64_t end, bool in_crlf) {
  CopyRange(begin, end, in_crlf, true);
}

void PolylineOutput::CopyPairs(const PolylineRecord& polyline, std::int64_t begin,
                               std::int64_t end, bool elsewhere) {
  ForEachKeptRange(model_.SetAside(polyline), begin, end,
                   [&](std::int64_t from, std::int64_t to) {
                     CopyRange(from, to, polyline.entity_in_crlf, !elsewhere);
                   });
}

template <typename Use>
void PolylineOutput::ForEachPair(const PolylineRecord& polyline, std::int64_t begin,
                                 std::int64_t end, Use use) {
  const auto edited_pair = [&use](const PairEdit& edit) {
    if (edit.keeps_pair) use(std::string_view(edit.code), std::string_view(edit.value), true);
  };
  ForEachKeptRange(model_.SetAside(polyline), begin, end, [&](std::int64_t from, std::int64_t to) {
    ForEachEditedPart(
        edits_, from, to,
        [&](std::int64_t part_begin, std::int64_t part_end) {
          ForEachPairOf(part_begin, part_end, use);
        },
        edited_pair);
  });
}

void PolylineOutput::WriteHeader(const PolylineRecord& polyline, std::int64_t vertex_count,
                                 bool closed, std::int32_t cleared_flags) {
  const std::string count = std::to_string(vertex_count);
  const std::int32_t set_flags = closed ? 1 : 0;
  const bool edits_flags = closed || cleared_flags != 0;
  // The surface type tells how the fit flags were fitted.
  const auto is_left_out = [cleared_flags](std::string_view code) {
    return cleared_flags != 0 && LineIs(code, "75");
  };
  if (!closed) {
    ForEachPair(polyline, polyline.place.start, polyline.place.vertices,
                [&](std::string_view code, std::string_view value, bool has_value) {
                  if (is_left_out(code)) return;
                  output_.WriteLine(code);
                  if (!has_value) return;
                  if (LineIs(code, "90")) {
                    output_.WriteLine(count);
                  } else if (edits_flags && LineIs(code, "70")) {
                    output_.WriteLine(WithFlags(value, set_flags, cleared_flags));
                  } else {
                    output_.WriteLine(value);
                  }
                });
    return;
  }
  bool has_flags = false;
  ForEachPair(polyline, polyline.place.start, polyline.place.vertices,
              [&](std::string_view code, std::string_view, bool) {
                has_flags = has_flags || LineIs(code, "70");
              });
  const bool lightweight = polyline.kind == PolylineKind::kLwPolyline;
  bool flags_written = has_flags;
  const auto write_flags = [&]() {
    output_.WriteLine(" 70");
    output_.WriteLine("     1");
    flags_written = true;
  };
  ForEachPair(polyline, polyline.place.start, polyline.place.vertices,
              [&](std::string_view code, std::string_view value, bool has_value) {
                if (is_left_out(code)) return;
                if (!flags_written && !lightweight && LineIs(code, "1001")) write_flags();
                output_.WriteLine(code);
                if (!has_value) return;
                if (LineIs(code, "90")) {
                  output_.WriteLine(count);
                  if (!flags_written && lightweight) write_flags();
                } else {
                  output_.WriteLine(LineIs(code, "70") ? WithFlags(value, set_flags, cleared_flags)
                                                       : std::string(value));
                }
              });
  if (!flags_written) write_flags();
}

void PolylineOutput::WritePairsAroundExtendedData(const PolylineRecord& polyline,
                                                  std::int64_t begin, std::int64_t end,
                                                  bool extended_data) {
  bool in_extended_data = false;
  ForEachPair(
      polyline, begin, end,
      [&](std::string_view code, std::string_view value, bool has_value) {
        in_extended_data = in_extended_data || LineIs(code, "1001");
        if (in_extended_data != extended_data) return;
        output_.WriteLine(code);
        if (has_value) output_.WriteLine(value);
      });
}

void PolylineOutput::WriteReversedVertices(const PolylineRecord& polyline, std::int32_t count) {
  const std::int64_t base = polyline.place.vertices;
  std::vector<std::int64_t> offsets(static_cast<std::size_t>(polyline.vertex_count) + 1);
  offsets[0] = base;
  for (std::int32_t v = 1; v < polyline.vertex_count; ++v) {
    offsets[static_cast<std::size_t>(v)] =
        offsets[static_cast<std::size_t>(v) - 1] + model_.vertices.step[polyline.first_vertex + v];
  }
  offsets.back() = polyline.place.trailer;
  const auto is_segment_code = [](std::string_view code) {
    return LineIs(code, "40") || LineIs(code, "41") || LineIs(code, "42");
  };
  for (std::int32_t k = 0; k < count; ++k) {
    const auto v = static_cast<std::size_t>(polyline.vertex_count - 1 - k);
    // Extended data ends the entity: never inside a vertex.
    bool in_extended_data = false;
    ForEachPair(polyline, offsets[v], offsets[v + 1],
                  [&](std::string_view code, std::string_view value, bool has_value) {
                    in_extended_data = in_extended_data || LineIs(code, "1001");
                    if (in_extended_data || is_segment_code(code)) return;
                    output_.WriteLine(code);
                    if (has_value) output_.WriteLine(value);
                  });
    if (v == 0) continue;
    // The segment from this vertex on was the one into it from the vertex
    // before.
    std::string start_width;
    std::string end_width;
    std::string bulge;
    ForEachPair(polyline, offsets[v - 1], offsets[v],
                  [&](std::string_view code, std::string_view value, bool) {
                    if (LineIs(code, "40")) end_width = value;
                    if (LineIs(code, "41")) start_width = value;
                    if (LineIs(code, "42")) bulge = NegatedNumber(value);
                  });
    for (const auto& [code, value] : {std::pair<std::string_view, const std::string&>{"40", start_width},
                                      {"41", end_width}, {"42", bulge}}) {
      if (value.empty()) continue;
      output_.WriteLine(code);
      output_.WriteLine(value);
    }
  }
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
    CopyRange(pairs.range.begin, pairs.range.end, polyline.entity_in_crlf, false);
  }
  CopyPairs(polyline, polyline.place.trailer, polyline.place.end);
}

std::int64_t PolylineOutput::VertexOffset(const PolylineRecord& polyline, std::int32_t v) const {
  if (v >= polyline.vertex_count) return polyline.place.extended_data;
  // A model of ends only holds the last vertex as the second.
  const std::int32_t stored =
      v == polyline.vertex_count - 1 ? model_.StoredVertexCount(polyline) - 1 : v;
  std::int64_t offset = polyline.place.vertices;
  for (std::int32_t k = 1; k <= stored; ++k) {
    offset += model_.vertices.step[polyline.first_vertex + k];
  }
  return offset;
}

}  // namespace quillmere
