#pragma once

#include <string>

#include "dxf/job_input.h"
#include "support/output_file.h"
#include "support/result.h"

namespace quillmere {

// The two ends of a copy of a job's input into its output.

// Creates the output of a copy of `input`. An input that is no longer the
// file that was read (JobInput::Unchanged) loses nothing: the output is
// neither created nor emptied.
inline Result<OutputFile> StartCopy(const JobInput& input, const std::string& output_name) {
  Result<OutputFile> output = OutputFile::Create(output_name);
  RETURN_IF_FAILED(output);
  RETURN_IF_FAILED(input.Unchanged());
  return output;
}

// Ends a copy: the output takes its name only when the whole input was read
// and is still the file that was read (JobInput::Unchanged), and every byte
// was written; otherwise it is discarded.
inline Status FinishCopy(const JobInput& input, OutputFile& output) {
  if (Status unchanged = input.Unchanged(); !unchanged) {
    output.Discard();
    return unchanged;
  }
  return output.Commit();
}

}  // namespace quillmere
