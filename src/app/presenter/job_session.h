#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/job_runner.h"
#include "app/presenter/job_progress.h"
#include "app/presenter/ui_thread.h"
#include "preview/drawing_geometry.h"
#include "support/notices.h"

namespace quillmere {

// What a job run from a window left behind when it ended.
struct JobOutcome {
  std::optional<JobSummary> summary;  // nothing when it failed or was stopped
  bool notified = false;              // it told a failure
  // The input as the preview draws it, read before the job when the output
  // is the input file itself: once the job has replaced it, the preview can
  // still show what was there before.
  std::shared_ptr<const DrawingGeometry> input_before;
};

// Runs one job at a time on a thread of its own, so that the window keeps
// repainting, shows how far the job is and can stop it. The job's notices
// are shown on the windows' thread by `notices`, while the job waits for the
// user to confirm them: a box must be modal over the window, and the
// translation table is touched by that thread only. The end is handed to
// the windows' thread too. Destroying the session stops a running job,
// releases it from a notice it waits to show (the notice is dropped) and
// waits for it; what it had posted is then dropped as well.
class JobSession {
 public:
  using Finished = std::function<void(JobOutcome outcome)>;

  JobSession(UiThread& ui, NoticeSink& notices);
  ~JobSession();
  JobSession(const JobSession&) = delete;
  JobSession& operator=(const JobSession&) = delete;

  // Starts `mode` with a copy of `jobs` (the settings of this moment);
  // `finished` runs on the windows' thread when it has ended.
  void Start(const JobRunner& jobs, JobMode mode, const std::string& input_name,
             const std::string& output_name, const Finished& finished);

  bool Running() const { return running_; }
  // The job ends within a fraction of a second, leaving the previous output
  // as it was.
  void RequestStop() { progress_.RequestStop(); }
  JobProgress::Snapshot CurrentProgress() const { return progress_.Current(); }

 private:
  class CrossThreadNotices;

  // Between the job waiting for a notice to be seen and the windows' thread.
  struct Handover {
    std::mutex mutex;
    std::condition_variable changed;
    bool shown = false;
    bool abandoned = false;
  };

  // Posts `work`, dropped when this session is gone by the time it runs.
  void PostWhileAlive(std::function<void()> work);

  UiThread& ui_;
  NoticeSink& notices_;
  std::thread thread_;
  bool running_ = false;
  JobProgress progress_;
  Handover handover_;
  // Expires with the session; checked on the windows' thread only.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

// The drawing of the job's `input` when `output_name` names the same file,
// read now from the input the job reads; nothing otherwise, or when it
// cannot be read (the job then tells why).
std::shared_ptr<const DrawingGeometry> InputReplacedByOutput(const JobInput& input,
                                                            const std::string& output_name);

}  // namespace quillmere
