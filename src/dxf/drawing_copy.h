#pragma once

#include <optional>
#include <string>

#include "dxf/drawing_edits.h"
#include "dxf/job_input.h"
#include "dxf/pair_stream.h"
#include "support/job_observer.h"
#include "support/output_file.h"
#include "support/result.h"

namespace quillmere {

inline void WritePair(OutputFile& output, const DxfPair& pair) {
  output.WriteLine(pair.code);
  if (pair.has_value) output.WriteLine(pair.value);
}

// What a writer does with the entities its job handles: it recognises them
// and writes what stands in their place. Everything else is copied.
class EntityReplacer {
 public:
  virtual ~EntityReplacer() = default;

  // Whether `start`, a pair inside the ENTITIES section, starts an entity
  // that is replaced.
  virtual bool Replaces(const DxfPair& start) const = 0;

  // Reads the rest of the entity that `start` began from `input` and writes
  // what stands in its place. The pair that ends the entity is put back.
  virtual void Replace(const DxfPair& start, PairStream& input, OutputFile& output) = 0;

  // Sees every pair that the copy meets outside replaced entities, before
  // it is written; may change its value.
  virtual void Inspect(DxfPair& pair) { (void)pair; }
};

// The one copy of a drawing: `input` to `output_name` pair by pair,
// every entity of the ENTITIES section that `replacer` replaces written by
// it, everything else exactly as read (with CR LF line ends), except for
// the pairs that `edits`, when given, change or leave out (the replacer
// sees to those inside the entities it replaces).
//
// The output replaces an existing file only once it is complete, so the
// input may be the output. Fails with kCannotCreateOutput (then the input is
// not read), kInputChanged when the input is no longer the file that was
// opened (kCannotReopenInput when it is gone), kCannotReadInput when it grew
// shorter while it was copied, and kCannotCreateOutput when the output could
// not be written completely; in each case the previous output stays as it
// was and no new one is created.
//
// `observer`, when given, sees the bytes of the input copied and may stop
// the copy (JobStopped): the previous output then stays as it was.
Status CopyDrawing(const JobInput& input, const std::string& output_name,
                   EntityReplacer& replacer, JobObserver* observer = nullptr,
                   const DrawingEdits* edits = nullptr);

}  // namespace quillmere
