#include "app/win/job_worker.h"

#include <system_error>

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
  if (thread_.joinable()) thread_.join();
  running_ = true;
  result_ = {};
  stop_requested_ = false;
  phase_ = static_cast<int>(JobPhase::kReading);
  done_ = 0;
  total_ = 0;
  const std::string input_copy = input_name;  // kept for a thread that cannot start
  try {
    thread_ = std::thread([this, jobs, mode, input = std::move(input_name),
                           output = std::move(output_name)] {
      WindowNotices notices(window_);
      result_.summary = jobs.Run(mode, input, output, notices, this);
      result_.notified = notices.notified();
      ::PostMessageW(window_, kJobFinishedMessage, 0, 0);
    });
  } catch (const std::system_error& error) {
    // No memory for the thread's stack: the job ends before it starts, and
    // the window goes on.
    const Failure failure{Notice::kOutOfMemory, input_copy, error.code().value()};
    ::SendMessageW(window_, kJobNoticeMessage, 0, reinterpret_cast<LPARAM>(&failure));
    result_.notified = true;
    ::PostMessageW(window_, kJobFinishedMessage, 0, 0);
  }
}

JobWorker::Result JobWorker::Finish() {
  if (thread_.joinable()) thread_.join();
  running_ = false;
  return result_;
}

void JobWorker::Progress(JobPhase phase, std::int64_t done, std::int64_t total) {
  phase_ = static_cast<int>(phase);
  done_ = done;
  total_ = total;
}

JobWorker::Snapshot JobWorker::CurrentProgress() const {
  return {static_cast<JobPhase>(phase_.load()), done_.load(), total_.load()};
}

}  // namespace quillmere::win
