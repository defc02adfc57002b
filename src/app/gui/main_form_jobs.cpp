#include <QApplication>

#include "app/command_line.h"
#include "app/gui/main_form.h"
#include "app/gui/main_form_parts.h"
#include "app/job_phase_text.h"

// The jobs of the main window: started by the job buttons after the file
// dialogs, or by the command line on the first display, and run off the
// window's thread so that it keeps repainting, shows how far a job is and
// can stop it.

namespace quillmere {

using main_form::FileNameBytes;

namespace {

// A job shorter than this shows no progress at all.
constexpr int kQuietMilliseconds = 500;

}  // namespace

void TMainForm::CommandLineCheck() {
  const std::optional<CommandLineRun> run = CheckCommandLine(command_line_, jobs.settings);
  if (!run) return;
  ShowSettings();
  // The program ends with this job; closing it then is no closing by the
  // user, and the saved language stays as it was.
  termination_requested_ = true;
  StartJob(run->mode, run->input, run->output, true);
}

void TMainForm::RequestTermination(int exit_code) {
  termination_requested_ = true;
  if (on_termination_) on_termination_(exit_code);
}

void TMainForm::BitBtn1Click() { RunJobWithDialogs(JobMode::kFindArcs); }
void TMainForm::BitBtn2Click() { RunJobWithDialogs(JobMode::kChainLines); }
void TMainForm::BitBtn4Click() { RunJobWithDialogs(JobMode::kJoinPolylines); }

void TMainForm::RunJobWithDialogs(JobMode mode) {
  if (JobRunning()) return;
  // A button started by its shortcut or by the program takes no focus, so
  // text still being typed in a field is committed here.
  CommitNumericFields();
  if (!OpenDialog1.Execute(*file_dialogs_, this)) return;
  if (!SaveDialog1.Execute(*file_dialogs_, this)) return;
  StartJob(mode, FileNameBytes(OpenDialog1.FileName()), FileNameBytes(SaveDialog1.FileName()),
           false);
}

void TMainForm::StartJob(JobMode mode, std::string input_name, std::string output_name,
                         bool from_command_line) {
  EnableJobButtons(false);
  stop_requested_ = false;
  ResultLabel.clear();
  PreviewBtn.hide();
  job_clock_.start();
  progress_timer_.start();
  const FinishedJob job{mode, input_name, output_name};
  job_thread_.Start(jobs, mode, std::move(input_name), std::move(output_name),
                    [this, job, from_command_line](const std::optional<JobSummary>& summary,
                                                   bool notified) {
                      JobFinished(job, summary, notified, from_command_line);
                    });
}

void TMainForm::JobFinished(const FinishedJob& job, const std::optional<JobSummary>& summary,
                            bool notified, bool from_command_line) {
  progress_timer_.stop();
  for (QWidget* widget : {static_cast<QWidget*>(&ProgressLabel),
                          static_cast<QWidget*>(&ProgressBar1),
                          static_cast<QWidget*>(&CancelBtn)}) {
    widget->hide();
  }
  CancelBtn.setEnabled(true);
  EnableJobButtons(true);
  // Success is never reported by a box: the result line tells what the job
  // did, and a job that changed nothing says so just as plainly.
  if (summary) {
    ResultLabel.setText(QString::fromStdU16String(ResultLine(*summary)));
    last_job_ = job;
    PreviewBtn.show();
  } else if (stop_requested_) {
    ResultLabel.setText(QString::fromStdU16String(CancelledText()));
  }
  if (from_command_line) {
    RequestTermination(notified ? 1 : 0);
  } else if (close_when_stopped_) {
    close();
  }
}

void TMainForm::ShowProgress() {
  if (!JobRunning() || job_clock_.elapsed() < kQuietMilliseconds) return;
  const JobThread::Snapshot progress = job_thread_.CurrentProgress();
  ProgressLabel.setText(QString::fromStdU16String(PhaseText(progress.phase)));
  if (progress.total > 0) {
    // Units can exceed an int; the bar shows thousandths.
    ProgressBar1.setRange(0, 1000);
    ProgressBar1.setValue(static_cast<int>(std::min<std::int64_t>(
        1000, progress.done * 1000 / progress.total)));
  } else {
    ProgressBar1.setRange(0, 0);  // busy, without a measure
  }
  ProgressLabel.show();
  ProgressBar1.show();
  CancelBtn.show();
}

void TMainForm::PreviewBtnClick() {
  if (last_job_) {
    PreviewForm().ShowJobResult(last_job_->mode, last_job_->input_name, last_job_->output_name);
  }
}

void TMainForm::CancelBtnClick() {
  stop_requested_ = true;
  job_thread_.RequestStop();
  CancelBtn.setEnabled(false);
}

void TMainForm::EnableJobButtons(bool enabled) {
  for (QPushButton* button : {&BitBtn1, &BitBtn2, &BitBtn4}) button->setEnabled(enabled);
}

void TMainForm::CommitNumericFields() {
  AbweichEd.Commit();
  TestEd.Commit();
  Test2Ed.Commit();
  AbweichLinEd.Commit();
}

void TMainForm::ShowSettings() {
  ExactBox.setChecked(jobs.settings.exact_distances);
  ContoursBox.setChecked(jobs.settings.contours);
  AbweichEd.ShowSetting();
  TestEd.ShowSetting();
  Test2Ed.ShowSetting();
  AbweichLinEd.ShowSetting();
}

}  // namespace quillmere
