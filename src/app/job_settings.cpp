#include "app/job_settings.h"

#include <algorithm>

#include "support/numbers.h"

namespace quillmere {

void JobSetting::Set(double value) {
  value = std::clamp(value, properties_.minimum, properties_.maximum);
  // Rounding through the decimal text gives the multiple of the last
  // decimal that is nearest to the exact value, and an exact half goes to
  // the even neighbour, as the field then shows it.
  value_ = ParseNumber(FormatFixed(value, properties_.decimals)).value_or(properties_.minimum);
}

bool JobSetting::SetText(std::string_view text) {
  const std::optional<double> number = ParseNumber(text);
  if (!number) return false;
  Set(*number);
  return true;
}

std::string JobSetting::Text() const { return FormatFixed(value_, properties_.decimals); }

void JobSettings::Reset() {
  deviation.Reset();
  arc_tests.Reset();
  line_tests.Reset();
  join_tolerance.Reset();
  exact_distances = false;
  contours = false;
  curves = false;
}

}  // namespace quillmere
