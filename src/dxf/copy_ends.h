#pragma once

#include <string>

#include "support/notices.h"
#include "support/output_file.h"

namespace quillmere {

// The two ends of a copy of the input into the output.

// Creates the output of a copy and opens its input (a PairStream or an
// InputFile), telling the user what failed. An input that cannot be read
// loses nothing: the output is neither created nor emptied.
template <typename Input>
bool OpenCopyEnds(Input& input, OutputFile& output, const std::string& input_name,
                  const std::string& output_name, NoticeSink& notices) {
  if (!output.Create(output_name)) {
    notices.Notify(Notice::kCannotCreateOutput, output_name);
    return false;
  }
  if (!input.Open(input_name)) {
    output.Discard();
    notices.Notify(Notice::kCannotReopenInput, input_name);
    return false;
  }
  return true;
}

// Ends a copy: the output takes its name only when the whole input was read
// and every byte written; otherwise it is discarded and the user told why.
inline bool FinishCopy(bool read_failed, OutputFile& output, const std::string& input_name,
                       const std::string& output_name, NoticeSink& notices) {
  if (read_failed) {
    output.Discard();
    notices.Notify(Notice::kCannotReopenInput, input_name);
    return false;
  }
  if (!output.Commit()) {
    notices.Notify(Notice::kCannotCreateOutput, output_name);
    return false;
  }
  return true;
}

}  // namespace quillmere
