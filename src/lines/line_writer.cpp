#include "lines/line_writer.h"

#include <optional>

#include "dxf/consumed_entities.h"
#include "dxf/drawing_copy.h"
#include "dxf/dxf_text.h"
#include "dxf/handle_text.h"
#include "dxf/header_variables.h"
#include "dxf/reference_cleanup.h"

namespace quillmere {

namespace {

// Whether the record is written as a polyline.
bool IsWritten(const LineRecord& record) {
  return !record.dropped && !record.kept_as_read && record.VertexCount() >= 2;
}

// Whether a group-code line of `lines` (the first, third, fifth line, ...)
// is the handle code "5".
bool HasHandlePair(const LineList& lines) {
  LineList::Cursor cursor(lines);
  std::string_view line;
  for (bool code_line = true; cursor.Next(line); code_line = !code_line) {
    if (code_line && LineIs(line, "5")) return true;
  }
  return false;
}

// The largest handle of the output that the input did not have: the VERTEX
// handles the reader handed out (largest_handle already counts them) and one more
// for every written record without a handle of its own. Nothing when the
// output carries no new handle.
std::optional<std::int64_t> LastNewHandle(const LineModel& model) {
  if (!model.has_handles) return std::nullopt;
  std::int64_t records_without_handle = 0;
  bool vertex_handles = false;
  for (std::int32_t k = 0; k < model.RecordCount(); ++k) {
    const LineRecord& record = model.records[static_cast<std::size_t>(k)];
    if (!IsWritten(record)) continue;
    if (record.kind == PolylineKind::kPolyline) vertex_handles = true;
    if (!HasHandlePair(record.header)) ++records_without_handle;
  }
  if (!vertex_handles && records_without_handle == 0) return std::nullopt;
  return model.largest_handle + records_without_handle;
}

// Keeps the header variable $HANDSEED above the new handles: its value
// becomes one above the last new handle. (The handle scan of the reader has
// read the seed as well, so the new handles all lie above the old seed.)
class HandleSeedUpdate {
 public:
  explicit HandleSeedUpdate(std::optional<std::int64_t> last_new_handle)
      : last_new_handle_(last_new_handle) {}

  // Sees every pair of the copy in order; may change the pair's value.
  void Apply(DxfPair& pair) {
    if (!spotter_.IsSeedValue(pair.code, pair.value) || !last_new_handle_) return;
    if (ParseHandle(pair.value)) pair.value = FormatHandle(*last_new_handle_ + 1);
  }

 private:
  const std::optional<std::int64_t> last_new_handle_;
  HandleSeedSpotter spotter_;
};

// Writes the entity lines of a record. In a drawing with handles, one
// without a handle gets the next one behind its own pairs, but in front of
// extended data (group 1001 on), which must end an entity.
void WriteEntityLines(OutputFile& output, const LineList& lines, bool add_handle,
                      std::int64_t& largest_handle) {
  if (!add_handle || HasHandlePair(lines)) {
    output.Write(lines.Text());
    return;
  }
  bool handle_written = false;
  const auto write_handle = [&]() {
    output.WriteLine(" 5");
    output.WriteLine(FormatHandle(++largest_handle));
    handle_written = true;
  };
  LineList::Cursor cursor(lines);
  std::string_view line;
  for (bool code_line = true; cursor.Next(line); code_line = !code_line) {
    if (code_line && !handle_written && LineIs(line, "1001")) write_handle();
    output.WriteLine(line);
  }
  if (!handle_written) write_handle();
}

// The pairs of `lines` as `edits` leave them (EntityReferenceFilter).
LineList Edited(const LineList& lines, const DrawingEdits& edits) {
  LineList edited;
  EntityReferenceFilter filter(edits);
  const auto keep = [&edited](std::string_view code, std::string_view value) {
    edited.AddPair(code, value);
  };
  LineList::Cursor cursor(lines);
  std::string_view code;
  std::string_view value;
  while (cursor.Next(code)) {
    if (!cursor.Next(value)) {
      filter.Finish(keep);
      edited.Add(code);
      return edited;
    }
    filter.Take(code, value, keep);
  }
  filter.Finish(keep);
  return edited;
}

void WriteRecord(OutputFile& output, const LineRecord& record, LineModel& model,
                 const DrawingEdits* edits) {
  if (edits != nullptr && !edits->Empty()) {
    WriteEntityLines(output, Edited(record.header, *edits), model.has_handles,
                     model.largest_handle);
  } else {
    WriteEntityLines(output, record.header, model.has_handles, model.largest_handle);
  }
  for (std::int32_t i = 0; i < record.VertexCount(); ++i) {
    output.Write(record.vertices[static_cast<std::size_t>(i)].pairs.Text());
  }
  output.Write(record.trailer.Text());
}

// Passes over the body of a LINE, copying it to `copy` when given, as
// `edits` (when given) leave it; the pair with code "0" that ends it is put
// back.
void PassLineBody(PairStream& input, OutputFile* copy, const DrawingEdits* edits = nullptr) {
  DxfPair pair;
  if (copy == nullptr || edits == nullptr || edits->Empty()) {
    while (input.ReadBodyPair(pair)) {
      if (copy != nullptr) WritePair(*copy, pair);
    }
    return;
  }
  EntityReferenceFilter filter(*edits);
  const auto keep = [copy](std::string_view code, std::string_view value) {
    copy->WriteLine(code);
    copy->WriteLine(value);
  };
  while (input.ReadBodyPair(pair)) {
    if (!pair.has_value) {
      filter.Finish(keep);
      WritePair(*copy, pair);
    } else {
      filter.Take(pair.code, pair.value, keep);
    }
  }
  filter.Finish(keep);
}

// The LINEs (and ARCs) the output no longer has: those neither kept as
// read nor written as a polyline, having joined another's chain. Only a
// drawing with handles and objects can point at them.
ConsumedEntities ConsumedLines(const LineModel& model) {
  ConsumedEntities consumed;
  if (!model.has_handles || !model.has_objects) return consumed;
  for (const LineRecord& record : model.records) {
    if (!record.kept_as_read && !IsWritten(record)) consumed.starts.push_back(record.entity_offset);
  }
  return consumed;
}

// Replaces the k-th LINE (with arcs: LINE or ARC) of the ENTITIES section
// by record k of the model, and keeps the header's handle seed above the
// handles it makes.
class LineReplacer : public EntityReplacer {
 public:
  LineReplacer(LineModel& model, const DrawingEdits& edits)
      : model_(model), edits_(edits), seed_(LastNewHandle(model)) {}

  bool Replaces(const DxfPair& start) const override {
    return LineIs(start.code, "0") &&
           (LineIs(start.value, "LINE") || (model_.with_arcs && LineIs(start.value, "ARC")));
  }

  void Replace(const DxfPair& start, PairStream& input, OutputFile& output) override {
    const bool in_model = next_ < model_.RecordCount();
    if (in_model && !model_.records[static_cast<std::size_t>(next_)].kept_as_read) {
      PassLineBody(input, nullptr);
      const LineRecord& record = model_.records[static_cast<std::size_t>(next_)];
      if (IsWritten(record)) WriteRecord(output, record, model_, &edits_);
    } else {
      // Kept as read, or the file has more entities than the model.
      WritePair(output, start);
      PassLineBody(input, &output, &edits_);
    }
    ++next_;
  }

  void Inspect(DxfPair& pair) override { seed_.Apply(pair); }

 private:
  LineModel& model_;
  const DrawingEdits& edits_;
  HandleSeedUpdate seed_;
  std::int32_t next_ = 0;
};

}  // namespace

Status WriteLineResult(LineModel& model, const JobInput& input, const std::string& output_name,
                       JobObserver* observer) {
  const Result<DrawingEdits> edits = FindDrawingEdits(input, ConsumedLines(model), observer);
  RETURN_IF_FAILED(edits);
  LineReplacer replacer(model, edits.value());
  return CopyDrawing(input, output_name, replacer, observer, &edits.value());
}

}  // namespace quillmere
