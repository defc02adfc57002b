#include "dxf/drawing_copy.h"

#include "dxf/copy_ends.h"
#include "dxf/dxf_text.h"

#include <utility>

namespace quillmere {

namespace {

// Reads on behind the pairs an edit takes the place of, from `pair` on; the
// first pair behind them is put back.
void PassEditedPairs(PairStream& input, DxfPair& pair, std::int64_t end) {
  while (input.ReadPair(pair)) {
    if (pair.offset >= end) {
      input.PutBack(std::move(pair));
      return;
    }
  }
}

void CopyPairs(PairStream& input, OutputFile& output, EntityReplacer& replacer,
               const DrawingEdits* edits) {
  SectionState section;
  EditCursor cursor(edits);
  DxfPair pair;
  while (input.ReadPair(pair)) {
    if (const PairEdit* edit = cursor.At(pair.offset)) {
      PassEditedPairs(input, pair, edit->end);
      if (edit->keeps_pair) {
        output.WriteLine(edit->code);
        output.WriteLine(edit->value);
      }
      continue;
    }
    section.Apply(pair.code, pair.value);
    replacer.Inspect(pair);
    if (section.InsideEntities() && replacer.Replaces(pair)) {
      replacer.Replace(pair, input, output);
    } else {
      WritePair(output, pair);
    }
  }
}

}  // namespace

Status CopyDrawing(const JobInput& input, const std::string& output_name,
                   EntityReplacer& replacer, JobObserver* observer, const DrawingEdits* edits) {
  Result<OutputFile> output = StartCopy(input, output_name);
  RETURN_IF_FAILED(output);
  const ProgressTap tap(observer, JobPhase::kWriting, input.Size());
  PairStream pairs(input, 0, tap);
  CopyPairs(pairs, *output, replacer, edits);
  // A stop asked for while the last block was copied still keeps the
  // previous output.
  tap.Report(input.Size());
  return FinishCopy(input, *output);
}

}  // namespace quillmere
