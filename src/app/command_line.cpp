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

}  // namespace

std::optional<JobMode> ModeOfWord(const std::string& word) {
  if (word == "convert1") return JobMode::kFindArcs;
  if (word == "convert2") return JobMode::kChainLines;
  if (word == "convert3") return JobMode::kJoinPolylines;
  return std::nullopt;
}

std::optional<CommandLineRun> CheckCommandLine(const std::vector<std::string>& arguments,
                                               JobSettings& settings) {
  if (arguments.size() < 3) return std::nullopt;
  const std::optional<JobMode> mode = ModeOfWord(arguments[0]);
  if (!mode) return std::nullopt;
  const std::vector<JobSetting*> targets = SettingsOfMode(*mode, settings);
  for (std::size_t k = 0; k < targets.size(); ++k) {
    const std::size_t position = 3 + k;  // arguments 4, 5, 6
    if (position < arguments.size()) targets[k]->SetText(arguments[position]);
  }
  return CommandLineRun{*mode, arguments[1], arguments[2]};
}

}  // namespace quillmere
