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

Status CopyDrawing(const std::string& input_name, const std::string& output_name,
                   const std::optional<FileStamp>& read_stamp, EntityReplacer& replacer,
                   JobObserver* observer, const DrawingEdits* edits) {
  OutputFile output;
  PairStream input;
  const Status opened = OpenCopyEnds(input, output, input_name, output_name, read_stamp);
  if (!opened) return opened;
  const ProgressTap tap(observer, JobPhase::kWriting, input.Size());
  input.WatchProgress(tap);
  CopyPairs(input, output, replacer, edits);
  // A stop asked for while the last block was copied still keeps the
  // previous output.
  tap.Report(input.Size());
  return FinishCopy(input, output, input_name, output_name);
}

}  // namespace quillmere
