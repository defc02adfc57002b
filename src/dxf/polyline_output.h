#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dxf/drawing_edits.h"
#include "dxf/line_ends.h"
#include "dxf/polyline_model.h"
#include "dxf/input_lines.h"
#include "dxf/input_window.h"
#include "dxf/job_input.h"
#include "support/output_file.h"

namespace quillmere {

// What the writers of the arc and the join job use to put a polyline of
// the model into the output: parts of its entity read again from the input,
// with CR LF line ends, and the few lines that change.
//
// Ranges name bytes of a polyline's own entity, from one pair's start to
// another's; the polyline's set-aside pairs inside them are never copied.
// Every pair read again passes through the drawing's edits, when given.
class PolylineOutput {
 public:
  // `progress` sees how far the walk through the input has come.
  PolylineOutput(const PolylineModel& model, const JobInput& input, OutputFile& output,
                 ProgressTap progress = {}, const DrawingEdits* edits = nullptr);

  // Lines of the input outside the polylines, as they are.
  void CopyLines(std::int64_t begin, std::int64_t end, bool in_crlf);

  // The pairs of `polyline` in [begin, end). `elsewhere` for a polyline
  // that lies away from the one being written (a chain's later member), so
  // that the walk through the file keeps its place.
  void CopyPairs(const PolylineRecord& polyline, std::int64_t begin, std::int64_t end,
                 bool elsewhere = false);

  // The header of `polyline`, every group-90 value (the vertex count of an
  // LWPOLYLINE) replaced by `vertex_count`. With `closed` flag 1 is set in
  // its group-70 values; a header without one gets " 70" / 1 behind the
  // vertex count of an LWPOLYLINE, or at the end of a POLYLINE's own pairs,
  // in front of extended data. The flags `cleared_flags` are cleared in
  // its group-70 values, and with them go its group-75 pairs (the surface
  // type of a fitted POLYLINE).
  void WriteHeader(const PolylineRecord& polyline, std::int64_t vertex_count,
                   bool closed = false, std::int32_t cleared_flags = 0);

  // The first `count` vertices of `polyline` used backwards: its vertices
  // from the last one on, each with the segment pairs of the vertex before
  // it in the input (the segment it now starts), the bulge (42) negated and
  // the start and end widths (40, 41) swapped. The input's first vertex,
  // written last, starts no segment: it has none. The polyline lies away
  // from the one being written, as for CopyPairs with `elsewhere`.
  void WriteReversedVertices(const PolylineRecord& polyline, std::int32_t count);

  // The pairs of `polyline` in [begin, end) in front of its extended data
  // (group 1001 on), or with `extended_data` only those from there on. An
  // LWPOLYLINE's extended data lies behind its last vertex, inside that
  // vertex's pairs: a contour writes it once, behind all its vertices. The
  // range is fetched as for CopyPairs with `elsewhere`.
  void WritePairsAroundExtendedData(const PolylineRecord& polyline, std::int64_t begin,
                                    std::int64_t end, bool extended_data);

  // The pairs of a vertex in [begin, end) without its own bulge pairs,
  // with the bulge pair of `bulge` behind them, or in front of the
  // vertex's extended data (its first group-1001 pair) when it has any.
  void WriteVertexWithBulge(const PolylineRecord& polyline, std::int64_t begin, std::int64_t end,
                            double bulge);

  // The closing lines: pairs moved behind the vertices, then the trailer.
  void WriteTrailer(const PolylineRecord& polyline);

  void WriteLine(std::string_view line) { output_.WriteLine(line); }

  // Where vertex `v` of `polyline` begins; `v` = vertex count gives where
  // the vertices end (where the extended data or the closing lines begin).
  std::int64_t VertexOffset(const PolylineRecord& polyline, std::int32_t v) const;

 private:
  // Calls `use(first, second, has_second)` for every pair of the kept bytes
  // of [begin, end) of `polyline`: the code line and the value line
  // without line ends; a code line that ends the file has no value line.
  template <typename Use>
  void ForEachPair(const PolylineRecord& polyline, std::int64_t begin, std::int64_t end, Use use);
  // Copies [begin, end); `walking` when it continues the walk through the
  // file rather than fetching a part from elsewhere.
  void CopyRange(std::int64_t begin, std::int64_t end, bool in_crlf, bool walking);
  // Calls `use(code, value, has_value)` for the pairs of the input's whole
  // lines [begin, end).
  template <typename Use>
  void ForEachPairOf(std::int64_t begin, std::int64_t end, Use& use);

  const PolylineModel& model_;
  const DrawingEdits* edits_;
  const JobInput& input_;
  OutputFile& output_;
  InputWalk walk_;  // the copy's walk through the file, in order
  CrLfWriter lines_;
  InputWindow window_;  // what the copies and the pairs written are read from
};

}  // namespace quillmere
