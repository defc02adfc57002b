#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/catalogue_notices.h"
#include "app/job_runner.h"
#include "app/presenter/job_session.h"
#include "app/presenter/main_view.h"
#include "app/presenter/main_window_controls.h"
#include "app/presenter/number_field.h"
#include "app/presenter/shown_texts.h"
#include "app/presenter/ui_thread.h"
#include "support/message_sink.h"

namespace quillmere {

// What the main window does, whatever toolkit draws it: the job buttons with
// their file dialogs, a job running with its progress, cancel and result,
// the number fields and mode boxes that edit the job settings, the language
// menu, closing while a job runs, the command line run on the first display,
// and the hand-off of a finished job to the preview.
// The name of a job phase as the window shows it while the job runs, and
// the status line after the user stopped a job (the job wrote nothing, so
// the output is as it was before), in the current language.
std::u16string PhaseText(JobPhase phase);
std::u16string CancelledText();

class MainPresenter {
 public:
  // `view`, `ui`, `messages` and `texts` must outlive the presenter.
  MainPresenter(MainView& view, UiThread& ui, MessageSink& messages, const ShownTexts& texts);

  JobRunner jobs;  // the jobs with the settings the fields show
  NumberField& Field(int field) { return fields_[field]; }

  // The job buttons: typed numbers are committed, then the open and the
  // save dialog ask for the files, and the job starts unless one was
  // cancelled. Nothing happens while a job runs.
  void JobButtonClicked(JobMode mode);
  // The button "Abbrechen" and Esc: a running job stops, the previous
  // output keeps every byte and the status line says so.
  void CancelClicked();
  void ProgressTick();
  void PreviewClicked();
  bool JobRunning() const { return session_.Running(); }

  void ModeBoxClicked(int box, bool ticked);

  // Puts the check mark on the saved language's item (Deutsch for the
  // spare columns) while the items do nothing.
  void PlaceLanguageCheckMark();
  // A language item: messages take the language at once, windows at the
  // next start, which the restart message says.
  void LanguageChosen(int language_number);
  void ShowRestartMessage();

  // On the first display: a mode word with two file names runs that job and
  // ends the program after it (EndProgram), with the settings and modes the
  // command line gives, shown in the window meanwhile.
  void RunCommandLine(const std::vector<std::string>& arguments);
  bool TerminationRequested() const { return termination_requested_; }

  // The window is asked to close. A running job is stopped first and the
  // window closed once it has (false now); otherwise the language is saved,
  // unless the program ends after a command-line run, and it may close.
  bool CloseRequested();

  // While set, the language items do nothing: the program is placing the
  // check mark itself.
  bool dontchlang = false;

 private:
  void StartJob(JobMode mode, std::string input_name, std::string output_name,
                bool from_command_line);
  void JobEnded(JobMode mode, const std::string& input_name, const std::string& output_name,
                JobOutcome outcome, bool from_command_line);
  std::optional<std::string> ChooseFile(FileDialogKind kind, std::string& last_name);
  void ShowSettings();

  MainView& view_;
  MessageSink& messages_;
  const ShownTexts& texts_;
  CatalogueNotices notices_{messages_};
  std::array<NumberField, kNumberFieldCount> fields_;
  std::string last_input_;   // the names the dialogs chose last
  std::string last_output_;
  bool stop_requested_ = false;
  bool close_when_stopped_ = false;
  bool termination_requested_ = false;
  std::chrono::steady_clock::time_point job_started_;
  std::optional<JobPreviewRequest> last_job_;  // the last job that wrote its output
  JobSession session_;  // last: a running job ends before the rest goes
};

}  // namespace quillmere
