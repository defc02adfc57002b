#pragma once

#include <condition_variable>
#include <mutex>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <QObject>

#include "app/job_progress.h"
#include "app/job_runner.h"
#include "support/notices.h"

namespace quillmere {

// Runs one job at a time on a thread of its own, so that the window keeps
// repainting and can show progress and stop the job. The job's notices are
// shown on the window's thread by `notices`, modal, while the job waits for
// the user to confirm them; the result is handed to the window's thread too.
class JobThread : public QObject {
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
  void RequestStop() { progress_.RequestStop(); }

  // How far the running job is, for the display.
  using Snapshot = JobProgress::Snapshot;
  Snapshot CurrentProgress() const { return progress_.Current(); }

 private:
  class CrossThreadNotices;

  // Between the job waiting for a notice to be seen and the window's thread.
  struct Handover {
    std::mutex mutex;
    std::condition_variable changed;
    bool shown = false;
    bool abandoned = false;
  };

  void Join();

  NoticeSink& notices_;
  std::thread thread_;
  bool running_ = false;
  JobProgress progress_;
  Handover handover_;
};

}  // namespace quillmere
