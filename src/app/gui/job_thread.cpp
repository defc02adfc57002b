#include "app/gui/job_thread.h"

#include <utility>

#include <QMetaObject>

namespace quillmere {

// Passes the job's notices to the window's thread and waits there until
// the user has seen them: a box must be modal over the window, and the
// translation table is touched by that thread only. A window that goes away
// meanwhile releases the job from waiting; the notice is then dropped.
class JobThread::CrossThreadNotices : public NoticeSink {
 public:
  CrossThreadNotices(QObject& receiver, NoticeSink& notices, Handover& handover)
      : receiver_(receiver), notices_(notices), handover_(handover) {}

  void Notify(const Failure& failure) override {
    notified_ = true;
    std::unique_lock lock(handover_.mutex);
    if (handover_.abandoned) return;
    handover_.shown = false;
    QMetaObject::invokeMethod(
        &receiver_,
        [this, failure] {
          notices_.Notify(failure);
          const std::lock_guard shown_lock(handover_.mutex);
          handover_.shown = true;
          handover_.changed.notify_all();
        },
        Qt::QueuedConnection);
    handover_.changed.wait(lock, [this] { return handover_.shown || handover_.abandoned; });
  }

  bool notified() const { return notified_; }

 private:
  QObject& receiver_;
  NoticeSink& notices_;
  Handover& handover_;
  bool notified_ = false;
};

JobThread::JobThread(NoticeSink& notices, QObject* parent) : QObject(parent), notices_(notices) {}

JobThread::~JobThread() {
  // The window is going away: the job stops at once, is released from a
  // notice it may wait to show, and is waited for.
  RequestStop();
  {
    const std::lock_guard lock(handover_.mutex);
    handover_.abandoned = true;
    handover_.changed.notify_all();
  }
  Join();
}

void JobThread::Join() {
  if (thread_.joinable()) thread_.join();
}

void JobThread::Start(const JobRunner& jobs, JobMode mode, std::string input_name,
                      std::string output_name, Finished finished) {
  running_ = true;
  // Kept for a job whose thread cannot start.
  const std::string input_copy = input_name;
  const Finished finished_copy = finished;
  const std::optional<int> start_error = StartJobThread(
      thread_, progress_,
      [this, jobs, mode, input = std::move(input_name), output = std::move(output_name),
       finished = std::move(finished)] {
        CrossThreadNotices notices(*this, notices_, handover_);
        const std::optional<JobSummary> summary =
            jobs.Run(mode, input, output, notices, &progress_);
        const bool notified = notices.notified();
        QMetaObject::invokeMethod(
            this,
            [this, summary, notified, finished] {
              Join();
              running_ = false;
              finished(summary, notified);
            },
            Qt::QueuedConnection);
      });
  if (start_error) {
    QMetaObject::invokeMethod(
        this,
        [this, input_copy, finished_copy, code = *start_error] {
          running_ = false;
          notices_.Notify(Failure{Notice::kOutOfMemory, input_copy, code});
          finished_copy(std::nullopt, true);
        },
        Qt::QueuedConnection);
  }
}

}  // namespace quillmere
