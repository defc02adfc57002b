#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "support/input_file.h"
#include "support/result.h"

namespace quillmere {

// The input of a job: the file opened once and checked once as a DXF text
// drawing. The job's readers, its copy writers, the scan for references to
// consumed entities and the preview all read its bytes (through
// InputLines and PairStream); none opens the file again, and the check
// whether it changed before the output is put in place looks at the path.
class JobInput {
 public:
  // Opens `name` and checks that it can be a DXF text drawing: it opens,
  // it is not empty, and its first line (after a UTF-8 byte-order mark and
  // blanks) is a whole-number group code. A binary DXF drawing, a picture
  // or any other file fails here with what is wrong with it (kEmptyInput,
  // kBinaryDxf, kNotTextDxf), so that no job copies it as if it were a
  // drawing; a file that cannot be opened or read fails as InputFile::Open,
  // and one too large for the memory left as kOutOfMemory.
  static Result<JobInput> Open(const std::string& name);

  const std::string& Name() const { return file_.Path(); }
  std::string_view Bytes() const { return file_.Bytes(); }
  std::int64_t Size() const { return file_.Size(); }
  bool IsMapped() const { return file_.IsMapped(); }
  const FileStamp& Stamp() const { return file_.Stamp(); }

  // kCannotReadInput once the file grew shorter under the job or its
  // storage failed (InputFile::Intact).
  Status Intact() const { return file_.Intact(); }
  // Intact, then whether the file the name names is still the one opened
  // (kInputChanged, or kCannotReopenInput when it is gone): what a writer
  // asks before its output takes its name.
  Status Unchanged() const;

  // The bytes [offset, offset + size) for a long copy (InputFile::ReadAt).
  std::string_view ReadAt(std::int64_t offset, std::size_t size, char* room) const {
    return file_.ReadAt(offset, size, room);
  }

 private:
  explicit JobInput(InputFile file) : file_(std::move(file)) {}
  static Result<JobInput> OpenUnguarded(const std::string& name);

  InputFile file_;
};

// Runs `run` on the input named `input_name`, opened for it: the jobs'
// entry for callers that have a file name rather than an open input.
template <typename Run>
auto RunOnInputNamed(const std::string& input_name, Run&& run)
    -> decltype(run(std::declval<const JobInput&>())) {
  const Result<JobInput> input = JobInput::Open(input_name);
  RETURN_IF_FAILED(input);
  return run(*input);
}

}  // namespace quillmere
