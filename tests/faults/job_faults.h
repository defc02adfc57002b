#pragma once

// The three jobs behind one interface, with a small drawing each job changes,
// for fault tests that run every job against the same failure.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "plain_polylines.h"
#include "support/job_observer.h"
#include "support/notices.h"
#include "test_support.h"

namespace quillmere::faults {

struct Job {
  std::string name;
  // Runs the whole job, as the command line does, with its start values.
  std::function<void(const std::string&, const std::string&, NoticeSink&)> run;
  // The same with an observer watching.
  std::function<void(const std::string&, const std::string&, NoticeSink&, JobObserver&)>
      run_watched;
  // Reads the input and does the job's work on the model, without writing:
  // the polylines the model then stands for, vertex by vertex.
  std::function<std::vector<testing::PlainPolyline>(const std::string&, NoticeSink&)> model_of;
  // A drawing (lines joined with LF) that the job reads and changes.
  std::string drawing;
  // Whether an input without anything to do is reported before any output
  // is created (arc and join job), or copied (line job).
  bool needs_polylines;
};

std::vector<Job> AllJobs();

// The ENTITIES section around `body`, LF line ends.
std::string InEntities(const std::vector<std::string>& body);

// Runs `job` in a child process whose files may not grow beyond
// `file_size_limit` bytes (with SIGXFSZ ignored, so a write past it fails
// like a write to a full disk). Returns the texts the job showed, one per
// line, or "child failed" when the child did not end normally.
std::string RunWithFileSizeLimit(const Job& job, const std::string& input,
                                 const std::string& output, long file_size_limit);

}  // namespace quillmere::faults
