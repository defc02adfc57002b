#include "dxf/drawing_copy.h"

#include "dxf/copy_ends.h"
#include "dxf/dxf_text.h"

namespace quillmere {

namespace {

void CopyPairs(PairStream& input, OutputFile& output, EntityReplacer& replacer) {
  SectionState section;
  DxfPair pair;
  while (input.ReadPair(pair)) {
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
                   JobObserver* observer) {
  OutputFile output;
  PairStream input;
  const Status opened = OpenCopyEnds(input, output, input_name, output_name, read_stamp);
  if (!opened) return opened;
  const ProgressTap tap(observer, JobPhase::kWriting, input.Size());
  input.WatchProgress(tap);
  CopyPairs(input, output, replacer);
  // A stop asked for while the last block was copied still keeps the
  // previous output.
  tap.Report(input.Size());
  return FinishCopy(input, output, input_name, output_name);
}

}  // namespace quillmere
