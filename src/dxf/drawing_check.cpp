#include "dxf/drawing_check.h"

#include <cerrno>
#include <optional>
#include <string_view>

#include "dxf/dxf_text.h"
#include "support/input_file.h"
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

Result<FileStamp> CheckTextDrawing(const std::string& file_name) {
  InputFile file;
  if (!file.Open(file_name)) return Failure{Notice::kCannotOpenInput, file_name, errno};
  std::string start(kLookedAt, '\0');
  const std::int64_t got = file.ReadUpTo(0, start.data(), start.size());
  if (got < 0) return Failure{Notice::kCannotReadInput, file_name, file.Error()};
  start.resize(static_cast<std::size_t>(got));
  const std::optional<Notice> problem = ProblemOfStart(start, start.size() < kLookedAt);
  if (problem) return Failure{*problem, file_name};
  return file.Stamp();
}

}  // namespace quillmere
