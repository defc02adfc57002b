#include "dxf/job_input.h"

#include <optional>
#include <utility>

#include "dxf/dxf_text.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// A group-code line is a few digits; a first line that does not end within
// this many bytes is none.
constexpr std::size_t kLookedAt = 4096;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// How every binary DXF file begins.
constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

// What is wrong with a file that starts with `start` (all of it when
// `whole_file`); nothing when it can be a DXF text drawing.
std::optional<Notice> ProblemOfStart(std::string_view start, bool whole_file) {
  if (start.empty()) return Notice::kEmptyInput;
  if (start.starts_with(kByteOrderMark)) start.remove_prefix(kByteOrderMark.size());
  if (start.starts_with(kBinarySentinel)) return Notice::kBinaryDxf;
  const std::size_t lf = start.find('\n');
  if (lf == std::string_view::npos && !whole_file) return Notice::kNotTextDxf;
  if (ParseWholeNumber(Trimmed(start.substr(0, lf)))) return std::nullopt;
  return Notice::kNotTextDxf;
}

}  // namespace

Result<JobInput> JobInput::Open(const std::string& name) {
  // Reading a file that cannot be mapped may run out of memory: that is a
  // failure about this input like any other.
  return GuardedJob(name, [&] { return OpenUnguarded(name); });
}

Result<JobInput> JobInput::OpenUnguarded(const std::string& name) {
  Result<InputFile> file = InputFile::Open(name);
  RETURN_IF_FAILED(file);
  const std::string_view bytes = file->Bytes();
  const std::string_view start = bytes.substr(0, kLookedAt);
  if (const std::optional<Notice> problem = ProblemOfStart(start, start.size() < kLookedAt)) {
    return Failure{*problem, name};
  }
  JobInput input(std::move(*file));
  RETURN_IF_FAILED(input.Intact());
  return input;
}

Status JobInput::Unchanged() const {
  RETURN_IF_FAILED(Intact());
  return file_.Unchanged();
}

}  // namespace quillmere
