#include "app/presenter/job_session.h"

#include <filesystem>
#include <new>
#include <utility>

#include "platform/file_system.h"
#include "preview/geometry_reader.h"

namespace quillmere {

class JobSession::CrossThreadNotices : public NoticeSink {
 public:
  explicit CrossThreadNotices(JobSession& session) : session_(session) {}

  void Notify(const Failure& failure) override {
    notified_ = true;
    Handover& handover = session_.handover_;
    std::unique_lock lock(handover.mutex);
    if (handover.abandoned) return;
    handover.shown = false;
    session_.PostWhileAlive([&session = session_, failure] {
      session.notices_.Notify(failure);
      const std::lock_guard shown_lock(session.handover_.mutex);
      session.handover_.shown = true;
      session.handover_.changed.notify_all();
    });
    handover.changed.wait(lock, [&handover] { return handover.shown || handover.abandoned; });
  }

  bool notified() const { return notified_; }

 private:
  JobSession& session_;
  bool notified_ = false;
};

JobSession::JobSession(UiThread& ui, NoticeSink& notices) : ui_(ui), notices_(notices) {}

JobSession::~JobSession() {
  RequestStop();
  {
    const std::lock_guard lock(handover_.mutex);
    handover_.abandoned = true;
    handover_.changed.notify_all();
  }
  if (thread_.joinable()) thread_.join();
}

void JobSession::PostWhileAlive(std::function<void()> work) {
  ui_.Post([alive = std::weak_ptr<const bool>(alive_), work = std::move(work)] {
    if (!alive.expired()) work();
  });
}

void JobSession::Start(const JobRunner& jobs, JobMode mode, const std::string& input_name,
                       const std::string& output_name, const Finished& finished) {
  running_ = true;
  // The names and `finished` stay here too, for a job whose thread cannot
  // start.
  const std::optional<int> start_error = StartJobThread(
      thread_, progress_, [this, jobs, mode, input_name, output_name, finished] {
        JobOutcome outcome;
        CrossThreadNotices notices(*this);
        const Result<JobInput> opened = JobInput::Open(input_name);
        if (Reported(opened, notices)) {
          outcome.input_before = InputReplacedByOutput(*opened, output_name);
          outcome.summary = jobs.Run(mode, *opened, output_name, notices, &progress_);
        }
        outcome.notified = notices.notified();
        if (!outcome.summary) outcome.input_before.reset();
        PostWhileAlive([this, outcome = std::move(outcome), finished]() mutable {
          if (thread_.joinable()) thread_.join();
          running_ = false;
          finished(std::move(outcome));
        });
      });
  if (start_error) {
    PostWhileAlive([this, input_name, finished, code = *start_error] {
      running_ = false;
      notices_.Notify(Failure{Notice::kOutOfMemory, input_name, code});
      finished(JobOutcome{std::nullopt, true, nullptr});
    });
  }
}

std::shared_ptr<const DrawingGeometry> InputReplacedByOutput(const JobInput& input,
                                                            const std::string& output_name) {
  std::error_code error;
  if (!std::filesystem::equivalent(PathFromUtf8(input.Name()), PathFromUtf8(output_name), error) ||
      error) {
    return nullptr;
  }
  try {
    auto drawing = std::make_shared<DrawingGeometry>();
    if (!ReadDrawingGeometry(input, *drawing)) return nullptr;
    return drawing;
  } catch (const std::bad_alloc&) {
    return nullptr;  // the preview then reads the file as it is by then
  }
}

}  // namespace quillmere
