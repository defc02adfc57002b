#include <QApplication>

#include "app/command_line.h"
#include "app/gui/main_form.h"
#include "app/gui/main_form_parts.h"

// The jobs of the main window: started by the job buttons after the file
// dialogs, or by the command line on the first display.

namespace quillmere {

using main_form::FileNameBytes;

void TMainForm::CommandLineCheck() {
  const std::optional<CommandLineRun> run = CheckCommandLine(command_line_, jobs.settings);
  if (!run) return;
  ShowSettings();
  jobs.Run(run->mode, run->input, run->output);
  RequestTermination();
}

void TMainForm::RequestTermination() {
  termination_requested_ = true;
  // Only asks the event loop to stop: the program ends once control returns
  // to it, also when the loop has not started yet.
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TMainForm::BitBtn1Click() { RunJobWithDialogs(JobMode::kFindArcs); }
void TMainForm::BitBtn2Click() { RunJobWithDialogs(JobMode::kChainLines); }
void TMainForm::BitBtn4Click() { RunJobWithDialogs(JobMode::kJoinPolylines); }

void TMainForm::RunJobWithDialogs(JobMode mode) {
  // A button started by its shortcut or by the program takes no focus, so
  // text still being typed in a field is committed here.
  CommitNumericFields();
  if (!OpenDialog1.Execute(*file_dialogs_, this)) return;
  if (!SaveDialog1.Execute(*file_dialogs_, this)) return;
  jobs.Run(mode, FileNameBytes(OpenDialog1.FileName()), FileNameBytes(SaveDialog1.FileName()));
}

void TMainForm::CommitNumericFields() {
  AbweichEd.Commit();
  TestEd.Commit();
  Test2Ed.Commit();
  AbweichLinEd.Commit();
}

void TMainForm::ShowSettings() {
  AbweichEd.ShowSetting();
  TestEd.ShowSetting();
  Test2Ed.ShowSetting();
  AbweichLinEd.ShowSetting();
}

}  // namespace quillmere
