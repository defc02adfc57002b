#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "dxf/drawing_copy.h"
#include "dxf/line_list.h"
#include "dxf/pair_stream.h"
#include "dxf/polyline_model.h"
#include "support/notices.h"
#include "support/output_file.h"

namespace quillmere {

// What the polyline reader and the writers of the arc and join jobs share
// about POLYLINE and LWPOLYLINE entities.

// Appends a pair to a line list, without a value line when the input ended
// after the code line.
inline void AddPair(LineList& list, const DxfPair& pair) {
  list.Add(pair.code);
  if (pair.has_value) list.Add(pair.value);
}

// The kind of polyline entity that a pair (0, POLYLINE) or (0, LWPOLYLINE)
// starts; nothing for any other pair.
std::optional<PolylineKind> PolylineStart(const DxfPair& pair);

// Whether `pair` ends a polyline entity of `kind`: any pair with code "0",
// but a POLYLINE goes on through its VERTEX entities and its SEQEND.
bool EndsPolyline(const DxfPair& pair, PolylineKind kind);

// Writes the pairs of `header`, the value of every group-90 pair (the
// vertex count of an LWPOLYLINE) replaced by `vertex_count`.
void WriteHeaderWithCount(OutputFile& output, const LineList& header, std::int32_t vertex_count);

// Copies `input_name` to `output_name` and writes the n-th polyline entity
// of the ENTITIES section with `write_polyline(output, n)` instead of as
// read. Entities beyond the first `count` are copied unchanged. Returns
// and notifies as CopyDrawing does.
bool CopyReplacingPolylines(const std::string& input_name, const std::string& output_name,
                            std::int32_t count, NoticeSink& notices,
                            const std::function<void(OutputFile&, std::int32_t)>& write_polyline,
                            JobObserver* observer = nullptr);

}  // namespace quillmere
