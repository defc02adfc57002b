#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/job_settings.h"

namespace quillmere {

enum class JobMode { kFindArcs, kChainLines, kJoinPolylines };

// A job asked for on the command line.
struct CommandLineRun {
  JobMode mode;
  std::string input;
  std::string output;
  bool summary = false;  // --summary: print what the job did
};

// The mode of a mode word ("convert1", "convert2", "convert3"; letter case
// counts), or nothing.
std::optional<JobMode> ModeOfWord(const std::string& word);

// Examines the arguments (argument 0, the program path, not included).
// Options may stand before the mode word, in any order: --summary, --exact
// (the arc job measures true distances), --contours (the line and join
// jobs build contours) and --curves (the arc job converts curves too). With at least three further arguments and a mode
// word first, sets the options and the mode's settings from the optional
// arguments 4 to 6 (each by position; one that is no number is ignored) and
// returns the run. Otherwise returns nothing and changes no setting.
std::optional<CommandLineRun> CheckCommandLine(const std::vector<std::string>& arguments,
                                               JobSettings& settings);

}  // namespace quillmere
