#include "preview/geometry_reader.h"

#include <cerrno>

#include "dxf/drawing_check.h"
#include "dxf/dxf_text.h"
#include "dxf/pair_stream.h"
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
bool CollectEntities(PairStream& input, EntityCollector& collector) {
  SectionState section;
  std::string_view line;
  while (input.ReadLine(line)) {
    const int code = GroupCode(line);
    // The code line's view ends with the next read; what the section state
    // needs of it is settled first.
    const bool starts_something = code == 0;
    const bool names_something = code == 2;
    std::string_view value;
    if (!input.ReadLine(value)) value = std::string_view();
    const bool was_inside = section.InsideEntities();
    section.Apply(starts_something ? "0" : names_something ? "2" : "", value);
    if (section.InsideEntities()) {
      collector.Take(code, value);
    } else if (was_inside) {
      collector.Finish();
    }
  }
  collector.Finish();
  return !input.Failed();
}

}  // namespace

Status ReadDrawingGeometry(const std::string& file_name, DrawingGeometry& geometry) {
  geometry = DrawingGeometry{};
  const Result<FileStamp> checked = CheckTextDrawing(file_name);
  if (!checked) return checked.failure();
  PairStream input;
  if (!input.Open(file_name)) return Failure{Notice::kCannotOpenInput, file_name, errno};
  EntityCollector collector(geometry);
  if (!CollectEntities(input, collector)) {
    geometry = DrawingGeometry{};
    return Failure{Notice::kCannotReadInput, file_name, input.Error()};
  }
  return Done{};
}

}  // namespace quillmere
