// Command-line parsing on arbitrary bytes: the input split at NUL bytes
// gives the arguments (without the program path) for CheckCommandLine.
//
// Invariants:
// - a run is asked for exactly when there are at least three arguments and
//   the first is a mode word; it names arguments 2 and 3 as its files;
// - each setting of the mode with an argument that is a number holds that
//   number limited to the range and rounded to the setting's decimals; every
//   other setting keeps its start value;
// - whatever the text, a setting stays in its range and rounded: its value
//   reads back unchanged from its own text, and whole-number settings are
//   whole.

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/job_settings.h"
#include "support/numbers.h"
#include "fuzz_support.h"

namespace quillmere::fuzzing {
namespace {

std::vector<std::string> ArgumentsOf(std::string_view bytes) {
  std::vector<std::string> arguments;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t nul = bytes.find('\0', begin);
    arguments.emplace_back(bytes.substr(begin, nul - begin));
    if (nul == std::string_view::npos) break;
    begin = nul + 1;
  }
  return arguments;
}

void CheckInRangeAndRounded(const JobSetting& setting) {
  const SettingProperties& properties = setting.properties();
  const double value = setting.value();
  FUZZ_CHECK(std::isfinite(value));
  FUZZ_CHECK(value >= properties.minimum && value <= properties.maximum);
  FUZZ_CHECK(ParseNumber(setting.Text()) == value);
  FUZZ_CHECK(setting.Text().front() != '-');  // every minimum is 0 or more
  if (properties.decimals == 0) {
    FUZZ_CHECK(std::nearbyint(value) == value);
    FUZZ_CHECK(setting.IntValue() == value);
  }
}

// The value a setting of `properties` must hold after its argument `text`.
double ExpectedValue(const SettingProperties& properties, std::string_view text) {
  JobSetting expected(properties);
  if (const std::optional<double> number = ParseNumber(text)) expected.Set(*number);
  return expected.value();
}

void CheckEverySettingTakes(std::string_view text) {
  for (const SettingProperties& properties :
       {kDeviationProperties, kArcTestsProperties, kLineTestsProperties, kJoinToleranceProperties}) {
    JobSetting setting(properties);
    const bool taken = setting.SetText(text);
    FUZZ_CHECK(taken == ParseNumber(text).has_value());
    if (!taken) FUZZ_CHECK(setting.value() == properties.start);
    CheckInRangeAndRounded(setting);
    // Setting the value it holds changes nothing.
    const double held = setting.value();
    setting.Set(held);
    FUZZ_CHECK(setting.value() == held);
  }
}

}  // namespace
}  // namespace quillmere::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillmere;
  using namespace quillmere::fuzzing;
  const std::vector<std::string> arguments =
      ArgumentsOf(std::string_view(reinterpret_cast<const char*>(data), size));

  JobSettings settings;
  const std::optional<CommandLineRun> run = CheckCommandLine(arguments, settings);
  const std::optional<JobMode> mode = arguments.size() >= 3 ? ModeOfWord(arguments[0]) : std::nullopt;
  FUZZ_CHECK(run.has_value() == mode.has_value());

  std::array<const JobSetting*, 4> all = {&settings.deviation, &settings.arc_tests,
                                          &settings.line_tests, &settings.join_tolerance};
  std::vector<const JobSetting*> of_mode;
  if (run) {
    FUZZ_CHECK(run->mode == *mode);
    FUZZ_CHECK(run->input == arguments[1] && run->output == arguments[2]);
    if (*mode == JobMode::kFindArcs) {
      of_mode = {&settings.deviation, &settings.arc_tests, &settings.line_tests};
    } else {
      of_mode = {&settings.join_tolerance};
    }
  }
  for (const JobSetting* setting : all) {
    CheckInRangeAndRounded(*setting);
    double expected = setting->properties().start;
    for (std::size_t k = 0; k < of_mode.size(); ++k) {
      if (of_mode[k] == setting && 3 + k < arguments.size()) {
        expected = ExpectedValue(setting->properties(), arguments[3 + k]);
      }
    }
    FUZZ_CHECK(setting->value() == expected);
  }
  for (std::size_t k = 3; k < arguments.size() && k < 6; ++k) CheckEverySettingTakes(arguments[k]);
  return 0;
}
