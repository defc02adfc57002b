#include "app/presenter/job_progress.h"

#include <system_error>
#include <utility>

namespace quillmere {

void JobProgress::Reset() {
  stop_requested_ = false;
  phase_ = static_cast<int>(JobPhase::kReading);
  done_ = 0;
  total_ = 0;
}

JobProgress::Snapshot JobProgress::Current() const {
  return {static_cast<JobPhase>(phase_.load()), done_.load(), total_.load()};
}

void JobProgress::Progress(JobPhase phase, std::int64_t done, std::int64_t total) {
  phase_ = static_cast<int>(phase);
  done_ = done;
  total_ = total;
}

std::optional<int> StartJobThread(std::thread& thread, JobProgress& progress,
                                  std::function<void()> body) {
  if (thread.joinable()) thread.join();
  progress.Reset();
  try {
    thread = std::thread(std::move(body));
  } catch (const std::system_error& error) {
    return error.code().value();
  }
  return std::nullopt;
}

}  // namespace quillmere
