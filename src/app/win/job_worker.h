#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <thread>

#include "app/presenter/job_progress.h"
#include "app/job_runner.h"
#include "support/notices.h"

namespace quillmere::win {

// Messages the worker sends to the window that started it.
inline constexpr UINT kJobNoticeMessage = WM_APP + 1;    // lParam: a const Failure*
inline constexpr UINT kJobFinishedMessage = WM_APP + 2;  // the job has ended

// Runs one job at a time on a thread of its own, so that the window keeps
// repainting, shows how far the job is and can stop it. The job's notices
// reach the window's thread with SendMessage, which waits until the window
// has shown them: the boxes are modal over the window, and the translation
// table is touched by that thread only.
class JobWorker {
 public:
  explicit JobWorker(HWND window) : window_(window) {}
  ~JobWorker();
  JobWorker(const JobWorker&) = delete;
  JobWorker& operator=(const JobWorker&) = delete;

  // Starts `mode` with a copy of `jobs` (the settings of this moment). The
  // window gets kJobFinishedMessage when it has ended and then calls Finish.
  void Start(const JobRunner& jobs, JobMode mode, std::string input_name,
             std::string output_name);

  struct Result {
    std::optional<JobSummary> summary;  // nothing when it failed or was stopped
    bool notified = false;
  };
  // Waits for the thread and hands over what the job did.
  Result Finish();

  bool Running() const { return running_; }
  // The job ends within a fraction of a second, leaving the previous output
  // as it was.
  void RequestStop() { progress_.RequestStop(); }

  using Snapshot = JobProgress::Snapshot;
  Snapshot CurrentProgress() const { return progress_.Current(); }

 private:
  HWND window_;
  std::thread thread_;
  bool running_ = false;
  Result result_;
  JobProgress progress_;
};

}  // namespace quillmere::win
