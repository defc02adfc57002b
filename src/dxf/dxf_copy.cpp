#include "dxf/dxf_copy.h"

#include "dxf/dxf_text.h"
#include "i18n/catalogue.h"

namespace quillmere {

std::optional<PolylineKind> PolylineStart(const DxfPair& pair) {
  if (!LineIs(pair.code, "0")) return std::nullopt;
  const std::string_view value = Trimmed(pair.value);
  if (value == "POLYLINE") return PolylineKind::kPolyline;
  if (value == "LWPOLYLINE") return PolylineKind::kLwPolyline;
  return std::nullopt;
}

bool PassPolylineEntity(DxfInput& input, DxfPair& pair, PolylineKind kind, OutputFile* copy) {
  if (copy == nullptr) {
    // Only the pairs with code "0" can end the entity; the others are not
    // even copied out of the input buffer.
    for (;;) {
      const DxfInput::PairRead read = input.ReadPairKeepingCode0(pair);
      if (read == DxfInput::PairRead::kEnd) return false;
      if (read == DxfInput::PairRead::kPassedOver) continue;
      if (kind == PolylineKind::kLwPolyline) return true;
      const std::string_view value = Trimmed(pair.value);
      if (value != "VERTEX" && value != "SEQEND") return true;
    }
  }
  while (input.ReadPair(pair)) {
    if (LineIs(pair.code, "0")) {
      if (kind == PolylineKind::kLwPolyline) return true;
      const std::string_view value = Trimmed(pair.value);
      if (value != "VERTEX" && value != "SEQEND") return true;
    }
    if (copy != nullptr) WritePair(*copy, pair);
  }
  return false;
}

bool DxfCopy::Begin(const std::string& input_name, const std::string& output_name) {
  input_name_ = input_name;
  output_name_ = output_name;
  if (!output_.Create(output_name)) {
    messages_.ShowError(FileMessage(kTextCannotCreate, output_name));
    return false;
  }
  if (!input_.Open(input_name)) {
    output_.Commit();  // the output exists and stays empty
    messages_.ShowError(FileMessage(kTextCannotReopen, input_name));
    return false;
  }
  return true;
}

bool DxfCopy::Finish() {
  const bool read_failed = input_.Failed();
  input_.Close();
  if (read_failed) {
    output_.Discard();
    messages_.ShowError(FileMessage(kTextCannotReopen, input_name_));
    return false;
  }
  if (!output_.Commit()) {
    messages_.ShowError(FileMessage(kTextCannotCreate, output_name_));
    return false;
  }
  return true;
}

void CopyReplacingPolylines(const std::string& input_name, const std::string& output_name,
                            std::int32_t entries, MessageSink& messages,
                            const std::function<void(OutputFile&, std::int32_t)>& write_block) {
  DxfCopy copy(messages);
  if (!copy.Begin(input_name, output_name)) return;
  DxfInput& input = copy.input();
  OutputFile& output = copy.output();

  SectionState section;
  DxfPair pair;
  bool held = false;
  std::int32_t counter = 0;
  while (held || input.HasMore()) {
    if (!held && !input.ReadPair(pair)) break;
    held = false;
    section.Apply(pair.code, pair.value);
    const std::optional<PolylineKind> kind =
        section.InsideEntities() ? PolylineStart(pair) : std::nullopt;
    if (!kind) {
      WritePair(output, pair);
      continue;
    }
    if (counter < entries) {
      held = PassPolylineEntity(input, pair, *kind, nullptr);
      write_block(output, counter);
    } else {
      // The file has more polylines than the model: copy them as they are.
      WritePair(output, pair);
      held = PassPolylineEntity(input, pair, *kind, &output);
    }
    ++counter;
  }
  copy.Finish();
}

}  // namespace quillmere
