#pragma once

#include <cstdint>

namespace quillmere {

// The phases of a job, in the order they run.
enum class JobPhase {
  kReading,    // reading the input; units are bytes
  kSearching,  // the arc search; units are polylines
  kJoining,    // chaining lines or joining polylines; units are passes
  kWriting,    // writing the output; units are bytes of the input copied
};

// Watches a running job: how far it is, and whether it is to stop. A job
// without an observer runs to its end.
//
// The contract with the jobs: both functions are called only from the
// thread that runs the job (the one that called the job's function), one
// call at a time. Work that a job spreads over threads of its own (the
// arc search, the second half of a large file's reading) never calls the
// observer from them: the job's thread reports for them. So an observer
// needs no locks for its own state; only what it shares with other threads
// of its own (a window that shows the progress, a stop button) must be safe
// for them, as JobProgress's atomics are.
class JobObserver {
 public:
  virtual ~JobObserver() = default;

  // `done` of `total` units of `phase` (total 0 when unknown). Called
  // often; it must be cheap.
  virtual void Progress(JobPhase phase, std::int64_t done, std::int64_t total) = 0;

  // True once the job is to stop: it then writes no output, leaves the
  // previous output as it was and removes its temporary file.
  virtual bool StopRequested() const = 0;
};

// Thrown through a job when its observer asks it to stop; the job catches
// it and ends without result.
struct JobStopped {};

// Reports progress to an optional observer and stops the job when asked.
class ProgressTap {
 public:
  ProgressTap() = default;
  ProgressTap(JobObserver* observer, JobPhase phase, std::int64_t total)
      : observer_(observer), phase_(phase), total_(total) {}

  // Reports `done` units and throws JobStopped when the job is to stop.
  void Report(std::int64_t done) const {
    if (observer_ == nullptr) return;
    observer_->Progress(phase_, done, total_);
    if (observer_->StopRequested()) throw JobStopped{};
  }

 private:
  JobObserver* observer_ = nullptr;
  JobPhase phase_ = JobPhase::kReading;
  std::int64_t total_ = 0;
};

}  // namespace quillmere
