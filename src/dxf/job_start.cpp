#include "dxf/job_start.h"

#include "dxf/drawing_check.h"
#include "support/output_file.h"

namespace quillmere {

Status CheckJobFiles(const std::string& input_name, const std::string& output_name) {
  const Result<FileStamp> input = CheckTextDrawing(input_name);
  if (!input) return input.failure();
  if (const int error = OutputFile::CreationError(output_name); error != 0) {
    return Failure{Notice::kCannotCreateOutput, output_name, error};
  }
  return Done{};
}

}  // namespace quillmere
