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

bool CopyDrawing(const std::string& input_name, const std::string& output_name,
                 EntityReplacer& replacer, NoticeSink& notices, JobObserver* observer) {
  OutputFile output;
  PairStream input;
  if (!OpenCopyEnds(input, output, input_name, output_name, notices)) return false;
  const ProgressTap tap(observer, JobPhase::kWriting, input.Size());
  input.WatchProgress(tap);
  CopyPairs(input, output, replacer);
  // A stop asked for while the last block was copied still keeps the
  // previous output.
  tap.Report(input.Size());
  const bool read_failed = input.Failed();
  input.Close();
  return FinishCopy(read_failed, output, input_name, output_name, notices);
}

}  // namespace quillmere
