#include "dxf/header_variables.h"

#include <optional>

#include "dxf/dxf_text.h"
#include "dxf/handle_text.h"
#include "support/numbers.h"

namespace quillmere {

void HandleTally::Take(std::string_view code, std::string_view value) {
  if (LineIs(code, "5")) TakeHandle(value);
}

void HandleTally::TakeHandle(std::string_view value) {
  if (!ReadsAsHandle(value)) return;
  any_ = true;
  const std::optional<std::int64_t> handle = ParseHandle(value);
  if (handle && *handle > largest_) largest_ = *handle;
}

bool HandleSeedSpotter::IsSeedValue(std::string_view code, std::string_view value) {
  const std::string_view c = Trimmed(code);
  if (c == "0") {
    const std::string_view v = Trimmed(value);
    if (v == "SECTION" || v == "ENDSEC") in_header_ = false;
  } else if (c == "2" && Trimmed(value) == "HEADER") {
    in_header_ = true;
  }
  const bool seed_value = after_seed_name_ && in_header_ && c == "5";
  after_seed_name_ = in_header_ && c == "9" && Trimmed(value) == "$HANDSEED";
  return seed_value;
}

void VersionCapture::Apply(std::string_view code, std::string_view value) {
  const std::string_view c = Trimmed(code);
  if (c == "9") {
    capturing_ = Trimmed(value) == "$ACADVER";
  } else if (capturing_ && c == "1") {
    capturing_ = false;
    const std::string_view text = Trimmed(value);
    const std::string_view digits = text.substr(text.size() < 2 ? text.size() : 2);
    if (const std::optional<std::int32_t> version = ParseWholeNumber(digits)) version_ = *version;
  }
}

}  // namespace quillmere
