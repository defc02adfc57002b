#include "dxf/polyline_entities.h"

#include "dxf/dxf_text.h"

namespace quillmere {

std::optional<PolylineKind> PolylineStart(const DxfPair& pair) {
  if (!LineIs(pair.code, "0")) return std::nullopt;
  const std::string_view value = Trimmed(pair.value);
  if (value == "POLYLINE") return PolylineKind::kPolyline;
  if (value == "LWPOLYLINE") return PolylineKind::kLwPolyline;
  return std::nullopt;
}

bool EndsPolyline(const DxfPair& pair, PolylineKind kind) {
  if (!LineIs(pair.code, "0")) return false;
  if (kind == PolylineKind::kLwPolyline) return true;
  const std::string_view value = Trimmed(pair.value);
  return value != "VERTEX" && value != "SEQEND";
}

void WriteHeaderWithCount(OutputFile& output, const LineList& header, std::int32_t vertex_count) {
  LineList::Cursor cursor(header);
  std::string_view code;
  std::string_view value;
  while (cursor.Next(code)) {
    output.WriteLine(code);
    if (!cursor.Next(value)) break;  // a code line without its value: left as read
    if (LineIs(code, "90")) {
      output.WriteLine(std::to_string(vertex_count));
    } else {
      output.WriteLine(value);
    }
  }
}

namespace {

// Replaces the polyline entities of the ENTITIES section in file order by
// the polylines of a model.
class PolylineReplacer : public EntityReplacer {
 public:
  PolylineReplacer(std::int32_t count,
                   const std::function<void(OutputFile&, std::int32_t)>& write_polyline)
      : count_(count), write_polyline_(write_polyline) {}

  bool Replaces(const DxfPair& start) const override { return PolylineStart(start).has_value(); }

  void Replace(const DxfPair& start, PairStream& input, OutputFile& output) override {
    const PolylineKind kind = *PolylineStart(start);
    if (next_ < count_) {
      SkipRest(input, kind);
      write_polyline_(output, next_);
    } else {
      // The file has more polylines than the model: copy them as they are.
      WritePair(output, start);
      CopyRest(input, kind, output);
    }
    ++next_;
  }

 private:
  // Only the pairs with code "0" can end the entity; the others are not
  // even copied out of the input buffer.
  static void SkipRest(PairStream& input, PolylineKind kind) {
    DxfPair pair;
    for (;;) {
      const PairStream::PairRead read = input.ReadPairKeepingCode0(pair);
      if (read == PairStream::PairRead::kEnd) return;
      if (read == PairStream::PairRead::kCode0 && EndsPolyline(pair, kind)) {
        input.PutBack(std::move(pair));
        return;
      }
    }
  }

  static void CopyRest(PairStream& input, PolylineKind kind, OutputFile& output) {
    DxfPair pair;
    while (input.ReadPair(pair)) {
      if (EndsPolyline(pair, kind)) {
        input.PutBack(std::move(pair));
        return;
      }
      WritePair(output, pair);
    }
  }

  const std::int32_t count_;
  const std::function<void(OutputFile&, std::int32_t)>& write_polyline_;
  std::int32_t next_ = 0;
};

}  // namespace

bool CopyReplacingPolylines(const std::string& input_name, const std::string& output_name,
                            std::int32_t count, NoticeSink& notices,
                            const std::function<void(OutputFile&, std::int32_t)>& write_polyline,
                            JobObserver* observer) {
  PolylineReplacer replacer(count, write_polyline);
  return CopyDrawing(input_name, output_name, replacer, notices, observer);
}

}  // namespace quillmere
