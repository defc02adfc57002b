#include <algorithm>

#include "app/presenter/job_phase_text.h"
#include "app/win/main_window.h"
#include "app/win/main_window_parts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_text.h"
#include "support/utf.h"

// The jobs of the main window: started by the job buttons after the file
// dialogs and run on the worker thread, with their progress and result in
// the status line.

namespace quillmere::win {

using namespace main_window;

namespace {

constexpr UINT kProgressInterval = 100;    // milliseconds
constexpr DWORD kQuietMilliseconds = 500;  // a shorter job shows no progress

// File names reach the jobs as UTF-8, which the core's file calls take.
std::string FileNameBytes(const std::u16string& name) { return Utf16ToUtf8(name); }

}  // namespace

void MainWindow::CommitNumericFields() {
  for (NumericField* field : {&deviation_, &arc_tests_, &line_tests_, &join_tolerance_}) field->Commit();
}

void MainWindow::RunJobWithDialogs(JobMode mode) {
  if (worker_->Running()) return;
  // A button pressed by its mnemonic takes no focus, so text still being
  // typed in a field is set here.
  CommitNumericFields();
  if (!open_dialog_.Execute(window_)) return;
  if (!save_dialog_.Execute(window_)) return;
  StartJob(mode, FileNameBytes(open_dialog_.FileName()), FileNameBytes(save_dialog_.FileName()));
}

void MainWindow::StartJob(JobMode mode, std::string input_name, std::string output_name) {
  // The keyboard stays in the window, Esc included, when the job button
  // with the focus is disabled: the focus moves on to the next control.
  const HWND focus = ::GetFocus();
  for (HWND button : job_buttons_) {
    if (button == focus) ::SetFocus(::GetNextDlgTabItem(window_, focus, FALSE));
  }
  for (HWND button : job_buttons_) ::EnableWindow(button, FALSE);
  SetText(result_label_, u"");
  ::ShowWindow(preview_button_, SW_HIDE);
  job_started_ = ::GetTickCount();
  ::SetTimer(window_, kProgressTimer, kProgressInterval, nullptr);
  running_job_ = FinishedJob{mode, input_name, output_name};
  worker_->Start(jobs_, mode, std::move(input_name), std::move(output_name));
}

void MainWindow::JobFinished() {
  const JobWorker::Result result = worker_->Finish();
  ::KillTimer(window_, kProgressTimer);
  ShowStatusControls(false);
  ::EnableWindow(cancel_button_, TRUE);
  for (HWND button : job_buttons_) ::EnableWindow(button, TRUE);
  // A disabled button loses the focus; the keyboard must still reach the window.
  if (::GetFocus() == nullptr && ::GetActiveWindow() == window_) ::SetFocus(job_buttons_[0]);
  // Success is never reported by a box: the result line tells what the job
  // did, and a job that changed nothing says so just as plainly.
  if (result.summary) {
    SetText(result_label_, ResultLine(*result.summary));
    last_job_ = running_job_;
    LayoutStatusLine(Scaled(kStatusTop, dpi_));
    ::ShowWindow(preview_button_, SW_SHOW);
  }
  if (close_when_stopped_) Close();
}

void MainWindow::ShowProgress() {
  if (!worker_->Running() || ::GetTickCount() - job_started_ < kQuietMilliseconds) return;
  const JobWorker::Snapshot progress = worker_->CurrentProgress();
  SetText(progress_label_, PhaseText(progress.phase));
  const bool measured = progress.total > 0;
  if (measured == marquee_) {
    // Without a measure the bar runs to and fro.
    LONG_PTR style = ::GetWindowLongPtrW(progress_bar_, GWL_STYLE);
    style = measured ? (style & ~PBS_MARQUEE) : (style | PBS_MARQUEE);
    ::SetWindowLongPtrW(progress_bar_, GWL_STYLE, style);
    ::SendMessageW(progress_bar_, PBM_SETMARQUEE, measured ? FALSE : TRUE, 0);
    marquee_ = !measured;
  }
  if (measured) {
    ::SendMessageW(progress_bar_, PBM_SETPOS,
                   static_cast<WPARAM>(std::min<std::int64_t>(1000, progress.done * 1000 / progress.total)), 0);
  }
  ShowStatusControls(true);
}

void MainWindow::ShowStatusControls(bool running) {
  for (HWND control : {progress_label_, progress_bar_, cancel_button_}) {
    ::ShowWindow(control, running ? SW_SHOW : SW_HIDE);
  }
}

// The choice applies to messages at once, the restart message included; the
// windows keep their texts until the next start.
}  // namespace quillmere::win
