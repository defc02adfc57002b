#include "app/win/job_worker.h"

#include <utility>

namespace quillmere::win {

namespace {

// Hands each notice to the window's thread and returns once it is shown.
class WindowNotices : public NoticeSink {
 public:
  explicit WindowNotices(HWND window) : window_(window) {}

  void Notify(const Failure& failure) override {
    notified_ = true;
    ::SendMessageW(window_, kJobNoticeMessage, 0, reinterpret_cast<LPARAM>(&failure));
  }

  bool notified() const { return notified_; }

 private:
  HWND window_;
  bool notified_ = false;
};

}  // namespace

JobWorker::~JobWorker() {
  RequestStop();
  if (thread_.joinable()) thread_.join();
}

void JobWorker::Start(const JobRunner& jobs, JobMode mode, std::string input_name,
                      std::string output_name) {
  running_ = true;
  const std::string input_copy = input_name;  // kept for a thread that cannot start
  const std::optional<int> start_error = StartJobThread(
      thread_, progress_,
      [this, jobs, mode, input = std::move(input_name), output = std::move(output_name)] {
        WindowNotices notices(window_);
        std::optional<JobSummary> summary = jobs.Run(mode, input, output, notices, &progress_);
        result_ = {std::move(summary), notices.notified()};
        ::PostMessageW(window_, kJobFinishedMessage, 0, 0);
      });
  if (start_error) {
    const Failure failure{Notice::kOutOfMemory, input_copy, *start_error};
    ::SendMessageW(window_, kJobNoticeMessage, 0, reinterpret_cast<LPARAM>(&failure));
    result_ = {std::nullopt, true};
    ::PostMessageW(window_, kJobFinishedMessage, 0, 0);
  }
}

JobWorker::Result JobWorker::Finish() {
  if (thread_.joinable()) thread_.join();
  running_ = false;
  return result_;
}

}  // namespace quillmere::win
