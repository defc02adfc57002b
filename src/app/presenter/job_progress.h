#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

#include "support/job_observer.h"

namespace quillmere {

// What a job running on a thread of its own shares with the window that
// started it: how far it is, for the display, and whether it is to stop.
// The job writes the progress and reads the flag; the window does the
// opposite, from its own thread, so every field is atomic.
class JobProgress : public JobObserver {
 public:
  struct Snapshot {
    JobPhase phase = JobPhase::kReading;
    std::int64_t done = 0;
    std::int64_t total = 0;
  };

  // Before a new job: not stopped, nothing done yet.
  void Reset();
  // The job ends within a fraction of a second, leaving the previous output
  // as it was.
  void RequestStop() { stop_requested_ = true; }
  Snapshot Current() const;

  void Progress(JobPhase phase, std::int64_t done, std::int64_t total) override;
  bool StopRequested() const override { return stop_requested_; }

 private:
  std::atomic<bool> stop_requested_{false};
  std::atomic<int> phase_{0};
  std::atomic<std::int64_t> done_{0};
  std::atomic<std::int64_t> total_{0};
};

// Runs `body` on `thread` with `progress` reset, first joining a job that
// has ended but whose thread was not joined yet. When the system has no
// memory for the thread's stack, the job ends before it starts and the
// error's code comes back, so that the window can say so and go on.
std::optional<int> StartJobThread(std::thread& thread, JobProgress& progress,
                                  std::function<void()> body);

}  // namespace quillmere
