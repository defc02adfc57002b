#include "preview/geometry_reader.h"

#include "dxf/dxf_text.h"
#include "dxf/input_lines.h"
#include "preview/entity_collector.h"

namespace quillmere {

namespace {

// The group code of a code line; -1 when it is no whole number of at most
// four digits (no group code has more).
int GroupCode(std::string_view line) {
  const std::string_view digits = Trimmed(line);
  if (digits.empty() || digits.size() > 4) return -1;
  int code = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return -1;
    code = code * 10 + (c - '0');
  }
  return code;
}

// Walks the file pair by pair without copying a line and hands the pairs
// of the ENTITIES section to the collector.
void CollectEntities(InputLines& input, EntityCollector& collector) {
  SectionState section;
  std::string_view line;
  while (input.Next(line)) {
    const int code = GroupCode(line);
    const bool starts_something = code == 0;
    const bool names_something = code == 2;
    std::string_view value;
    if (!input.Next(value)) value = std::string_view();
    const bool was_inside = section.InsideEntities();
    section.Apply(starts_something ? "0" : names_something ? "2" : "", value);
    if (section.InsideEntities()) {
      collector.Take(code, value);
    } else if (was_inside) {
      collector.Finish();
    }
  }
  collector.Finish();
}

}  // namespace

Status ReadDrawingGeometry(const JobInput& input, DrawingGeometry& geometry) {
  geometry = DrawingGeometry{};
  InputLines lines(input);
  lines.Stream();
  EntityCollector collector(geometry);
  CollectEntities(lines, collector);
  if (const Status intact = input.Intact(); !intact) {
    geometry = DrawingGeometry{};
    return intact;
  }
  return Done{};
}

Status ReadDrawingGeometry(const std::string& file_name, DrawingGeometry& geometry) {
  geometry = DrawingGeometry{};
  const Result<JobInput> input = JobInput::Open(file_name);
  RETURN_IF_FAILED(input);
  return ReadDrawingGeometry(*input, geometry);
}

}  // namespace quillmere
