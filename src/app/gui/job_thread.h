#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <QObject>

#include "app/job_runner.h"
#include "support/job_observer.h"
#include "support/notices.h"

namespace quillmere {

// Runs one job at a time on a thread of its own, so that the window keeps
// repainting and can show progress and stop the job. The job's notices are
// shown on the window's thread by `notices`, modal, while the job waits for
// the user to confirm them; the result is handed to the window's thread too.
class JobThread : public QObject, private JobObserver {
 public:
  // What the window needs when a job has ended: what it did when it wrote
  // its output (nothing when it failed or was stopped), and whether it
  // notified anything.
  using Finished = std::function<void(const std::optional<JobSummary>& summary, bool notified)>;

  // `notices` is used on the thread that owns this object only.
  JobThread(NoticeSink& notices, QObject* parent = nullptr);
  ~JobThread() override;
  JobThread(const JobThread&) = delete;
  JobThread& operator=(const JobThread&) = delete;

  // Starts `mode` with a copy of `jobs` (the settings of this moment);
  // `finished` is called on this object's thread when it has ended.
  void Start(const JobRunner& jobs, JobMode mode, std::string input_name,
             std::string output_name, Finished finished);

  bool Running() const { return running_; }

  // Asks the running job to stop; it ends within a fraction of a second,
  // leaving the previous output as it was.
  void RequestStop() { stop_requested_ = true; }

  // How far the running job is, for the display.
  struct Snapshot {
    JobPhase phase = JobPhase::kReading;
    std::int64_t done = 0;
    std::int64_t total = 0;
  };
  Snapshot CurrentProgress() const;

 private:
  class CrossThreadNotices;

  // Between the job waiting for a notice to be seen and the window's thread.
  struct Handover {
    std::mutex mutex;
    std::condition_variable changed;
    bool shown = false;
    bool abandoned = false;
  };

  void Progress(JobPhase phase, std::int64_t done, std::int64_t total) override;
  bool StopRequested() const override { return stop_requested_; }
  void Join();

  NoticeSink& notices_;
  std::thread thread_;
  bool running_ = false;
  std::atomic<bool> stop_requested_{false};
  std::atomic<int> phase_{0};
  std::atomic<std::int64_t> done_{0};
  std::atomic<std::int64_t> total_{0};
  Handover handover_;
};

}  // namespace quillmere
