#pragma once

#include <cerrno>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "support/output_file.h"
#include "support/result.h"

namespace quillmere {

// The two ends of a copy of the input into the output.

// Creates the output of a copy and opens its input (a PairStream or an
// InputFile). An input that cannot be opened, or that is no longer the file
// that was read (`read_stamp`; nothing for a model not read from a file),
// loses nothing: the output is neither created nor emptied.
template <typename Input>
Status OpenCopyEnds(Input& input, OutputFile& output, const std::string& input_name,
                    const std::string& output_name, const std::optional<FileStamp>& read_stamp) {
  if (!output.Create(output_name)) {
    return Failure{Notice::kCannotCreateOutput, output_name, output.Error()};
  }
  if (!input.Open(input_name)) {
    const int error = errno;
    output.Discard();
    return Failure{Notice::kCannotReopenInput, input_name, error};
  }
  if (read_stamp && !(input.Stamp() == *read_stamp)) {
    input.Close();
    output.Discard();
    return Failure{Notice::kInputChanged, input_name};
  }
  return Done{};
}

// Ends a copy: the output takes its name only when the whole input was read
// (`input` has not failed) and every byte written; otherwise it is discarded.
template <typename Input>
Status FinishCopy(Input& input, OutputFile& output, const std::string& input_name,
                  const std::string& output_name) {
  const bool read_failed = input.Failed();
  const int read_error = input.Error();
  input.Close();
  if (read_failed) {
    output.Discard();
    return Failure{Notice::kCannotReadInput, input_name, read_error};
  }
  if (!output.Commit()) return Failure{Notice::kCannotCreateOutput, output_name, output.Error()};
  return Done{};
}

}  // namespace quillmere
