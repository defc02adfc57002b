#include "arcs/curves/curve_polyline_writer.h"

#include <algorithm>
#include <string>
#include <utility>

#include "dxf/handle_text.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// A number as the program writes it into a drawing; -0 is 0.
std::string Number(double value) { return FormatGeneral(value + 0.0); }

void WriteLines(PolylineOutput& output, const LineList& lines) {
  LineList::Cursor cursor(lines);
  for (std::string_view line; cursor.Next(line);) output.WriteLine(line);
}

// The new handles the polyline of `curve` gets.
std::int64_t NewHandlesOf(const CurveRecord& curve, const CurveDrawing& drawing) {
  if (!curve.converted || !drawing.has_handles) return 0;
  std::int64_t count = curve.handle.empty() ? 1 : 0;
  if (!drawing.Lightweight()) count += static_cast<std::int64_t>(curve.vertices.size()) + 1;
  return count;
}

}  // namespace

CurvePolylineWriter::CurvePolylineWriter(const CurveDrawing& drawing, const DrawingEdits* edits)
    : drawing_(drawing), edits_(edits), last_handle_(drawing.largest_handle) {
  for (const CurveRecord& curve : drawing.curves) new_handles_ += NewHandlesOf(curve, drawing);
  std::vector<std::pair<ByteRange, const CurveRecord*>> parts;
  if (new_handles_ > 0 && drawing.handle_seed && ParseHandle(drawing.handle_seed_value)) {
    parts.emplace_back(*drawing.handle_seed, nullptr);
  }
  for (const CurveRecord& curve : drawing.curves) {
    if (curve.converted) parts.emplace_back(curve.place, &curve);
  }
  // The seed stands in the header, which normally comes first.
  std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) {
    return a.first.begin < b.first.begin;
  });
  for (const auto& [place, curve] : parts) {
    parts_.places.push_back(place);
    curve_of_part_.push_back(curve);
  }
  parts_.write = [this](PolylineOutput& output, std::size_t part) { Write(output, part); };
}

void CurvePolylineWriter::Write(PolylineOutput& output, std::size_t part) {
  const CurveRecord* curve = curve_of_part_[part];
  if (curve == nullptr) {
    output.WriteLine(drawing_.handle_seed_code);
    output.WriteLine(FormatHandle(drawing_.largest_handle + new_handles_ + 1));
  } else if (drawing_.Lightweight()) {
    WriteLightweight(output, *curve);
  } else {
    WriteOldStyle(output, *curve);
  }
}

std::string CurvePolylineWriter::NextHandle() { return FormatHandle(++last_handle_); }

void CurvePolylineWriter::WriteKeptPairs(PolylineOutput& output, const CurveRecord& curve) {
  const auto write = [&output](std::string_view code, std::string_view value) {
    output.WriteLine(code);
    output.WriteLine(value);
  };
  if (drawing_.has_handles && curve.handle.empty()) write("  5", NextHandle());
  LineList::Cursor cursor(curve.kept);
  std::string_view code;
  std::string_view value;
  if (edits_ == nullptr || edits_->Empty()) {
    while (cursor.Next(code) && cursor.Next(value)) write(code, value);
    return;
  }
  EntityReferenceFilter filter(*edits_);
  while (cursor.Next(code) && cursor.Next(value)) filter.Take(code, value, write);
  filter.Finish(write);
}

void CurvePolylineWriter::WriteLightweight(PolylineOutput& output, const CurveRecord& curve) {
  output.WriteLine(curve.start_code);
  output.WriteLine("LWPOLYLINE");
  WriteKeptPairs(output, curve);
  if (curve.subclass_markers) {
    output.WriteLine("100");
    output.WriteLine("AcDbPolyline");
  }
  output.WriteLine(" 90");
  output.WriteLine(std::to_string(curve.vertices.size()));
  output.WriteLine(" 70");
  output.WriteLine(curve.closed ? "1" : "0");
  output.WriteLine(" 38");
  output.WriteLine(Number(curve.elevation));
  for (const ConvertedVertex& vertex : curve.vertices) {
    output.WriteLine(" 10");
    output.WriteLine(Number(vertex.x));
    output.WriteLine(" 20");
    output.WriteLine(Number(vertex.y));
    if (vertex.bulge != 0) {
      output.WriteLine(" 42");
      output.WriteLine(Number(vertex.bulge));
    }
  }
  WriteLines(output, curve.extended_data);
}

void CurvePolylineWriter::WriteSubentityStart(PolylineOutput& output, const CurveRecord& curve,
                                              std::string_view name, std::string_view owner) {
  output.WriteLine("  0");
  output.WriteLine(name);
  if (drawing_.has_handles) {
    output.WriteLine("  5");
    output.WriteLine(NextHandle());
  }
  if (curve.subclass_markers && !owner.empty()) {
    output.WriteLine("330");
    output.WriteLine(owner);
  }
  if (curve.subclass_markers) {
    output.WriteLine("100");
    output.WriteLine("AcDbEntity");
  }
  if (!curve.space.empty()) {
    output.WriteLine(" 67");
    output.WriteLine(curve.space);
  }
  output.WriteLine("  8");
  output.WriteLine(curve.layer);
}

void CurvePolylineWriter::WriteOldStyle(PolylineOutput& output, const CurveRecord& curve) {
  output.WriteLine(curve.start_code);
  output.WriteLine("POLYLINE");
  // The handle a curve without one gets is the next.
  const std::string own_handle =
      curve.handle.empty() && drawing_.has_handles ? FormatHandle(last_handle_ + 1) : curve.handle;
  WriteKeptPairs(output, curve);
  if (curve.subclass_markers) {
    output.WriteLine("100");
    output.WriteLine("AcDb2dPolyline");
  }
  const std::string elevation = Number(curve.elevation);
  for (const auto& [code, value] : {std::pair<std::string_view, std::string_view>{" 66", "1"},
                                    {" 10", "0"},
                                    {" 20", "0"},
                                    {" 30", elevation},
                                    {" 70", curve.closed ? "1" : "0"}}) {
    output.WriteLine(code);
    output.WriteLine(value);
  }
  // A POLYLINE's extended data ends its own pairs, in front of its VERTEX
  // entities.
  WriteLines(output, curve.extended_data);
  for (const ConvertedVertex& vertex : curve.vertices) {
    WriteSubentityStart(output, curve, "VERTEX", own_handle);
    if (curve.subclass_markers) {
      output.WriteLine("100");
      output.WriteLine("AcDbVertex");
      output.WriteLine("100");
      output.WriteLine("AcDb2dVertex");
    }
    output.WriteLine(" 10");
    output.WriteLine(Number(vertex.x));
    output.WriteLine(" 20");
    output.WriteLine(Number(vertex.y));
    output.WriteLine(" 30");
    output.WriteLine(elevation);
    if (vertex.bulge != 0) {
      output.WriteLine(" 42");
      output.WriteLine(Number(vertex.bulge));
    }
  }
  WriteSubentityStart(output, curve, "SEQEND", own_handle);
}

}  // namespace quillmere
