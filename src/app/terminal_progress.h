#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "support/job_observer.h"

namespace quillmere {

// A one-line progress indicator on a terminal for jobs that run longer than
// a second: the phase and how far it is, redrawn a few times a second and
// erased when the job is done. Stays silent on anything but a terminal.
// Used on the job's thread only (job_observer.h).
class TerminalProgress : public JobObserver {
 public:
  TerminalProgress(std::FILE* stream, bool is_terminal);
  ~TerminalProgress() override;
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void Progress(JobPhase phase, std::int64_t done, std::int64_t total) override;
  bool StopRequested() const override { return false; }

  // Erases the line, if one was drawn.
  void Erase();

 private:
  using Clock = std::chrono::steady_clock;

  std::FILE* stream_;
  const bool is_terminal_;
  const Clock::time_point start_ = Clock::now();
  Clock::time_point last_drawn_{};
  int drawn_width_ = 0;
};

}  // namespace quillmere
