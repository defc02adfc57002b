#include "app/command_line.h"

#include <array>

namespace quillmere {

namespace {

// The settings that arguments 4, 5 and 6 set, in this order, for each mode.
std::vector<JobSetting*> SettingsOfMode(JobMode mode, JobSettings& settings) {
  switch (mode) {
    case JobMode::kFindArcs:
      return {&settings.deviation, &settings.arc_tests, &settings.line_tests};
    case JobMode::kChainLines:
    case JobMode::kJoinPolylines:
      return {&settings.join_tolerance};
  }
  return {};
}

// The options that may stand before the mode word.
struct LeadingOptions {
  bool summary = false;
  bool exact = false;
  bool contours = false;
  bool curves = false;
  std::size_t count = 0;  // arguments they take
};

LeadingOptions ReadLeadingOptions(const std::vector<std::string>& arguments) {
  LeadingOptions options;
  for (; options.count < arguments.size(); ++options.count) {
    const std::string& argument = arguments[options.count];
    if (argument == "--summary") {
      options.summary = true;
    } else if (argument == "--exact") {
      options.exact = true;
    } else if (argument == "--contours") {
      options.contours = true;
    } else if (argument == "--curves") {
      options.curves = true;
    } else {
      break;
    }
  }
  return options;
}

}  // namespace

std::optional<JobMode> ModeOfWord(const std::string& word) {
  if (word == "convert1") return JobMode::kFindArcs;
  if (word == "convert2") return JobMode::kChainLines;
  if (word == "convert3") return JobMode::kJoinPolylines;
  return std::nullopt;
}

std::optional<CommandLineRun> CheckCommandLine(const std::vector<std::string>& arguments,
                                               JobSettings& settings) {
  const LeadingOptions options = ReadLeadingOptions(arguments);
  const std::size_t first = options.count;  // the mode word
  if (arguments.size() < first + 3) return std::nullopt;
  const std::optional<JobMode> mode = ModeOfWord(arguments[first]);
  if (!mode) return std::nullopt;
  const std::vector<JobSetting*> targets = SettingsOfMode(*mode, settings);
  for (std::size_t k = 0; k < targets.size(); ++k) {
    const std::size_t position = first + 3 + k;  // arguments 4, 5, 6
    if (position < arguments.size()) targets[k]->SetText(arguments[position]);
  }
  settings.exact_distances = options.exact;
  settings.contours = options.contours;
  settings.curves = options.curves;
  return CommandLineRun{*mode, arguments[first + 1], arguments[first + 2], options.summary};
}

}  // namespace quillmere
