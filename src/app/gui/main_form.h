#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "app/catalogue_notices.h"
#include "app/job_runner.h"
#include "app/gui/job_thread.h"
#include "app/gui/about_box.h"
#include "app/gui/component_owner.h"
#include "app/gui/file_dialogs.h"
#include "app/gui/numeric_field.h"
#include "app/gui/preview/preview_form.h"
#include "app/gui/qt_translations.h"
#include "app/gui/translate_form.h"

namespace quillmere {

// The program's main window. It holds the jobs with their settings
// (JobRunner), the job buttons with their file dialogs, the numeric fields
// that show and edit the job settings, the help text and the menus.
// Creating it runs FormCreate; its first display runs the one-time steps and
// the command-line check.
//
// The language menu chooses the language of the messages at once and, as
// the options file keeps it, of the windows from the next start on.
class TMainForm : public QMainWindow, public ComponentOwner {
  Q_OBJECT

 public:
  // `messages` receives the jobs' messages, `file_dialogs` shows the open
  // and save dialogs; both must outlive the window.
  TMainForm(MessageSink& messages, FileDialogRunner& file_dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The arguments after the program path, examined on the first display.
  void SetCommandLine(std::vector<std::string> arguments);
  void SetFileDialogs(FileDialogRunner& file_dialogs) { file_dialogs_ = &file_dialogs; }

  // True once a command-line run has started: the program ends when its
  // job has.
  bool TerminationRequested() const { return termination_requested_; }
  // Called with the exit status when a command-line run has ended: 1 when
  // its job showed a message, 0 otherwise. The program ends there.
  void SetOnTermination(std::function<void(int)> on_termination) {
    on_termination_ = std::move(on_termination);
  }

  TAboutBox& AboutBox() { return *about_box_; }
  TTranslateForm& TranslateForm() { return *translate_form_; }
  // The preview window. After a successful job, its "Vorschau..." button
  // calls PreviewForm().ShowJobResult(mode, input, output).
  TPreviewForm& PreviewForm() { return *preview_form_; }
  // The program's windows in the order of their creation.
  std::vector<QWidget*> Windows();

  QObjectList Components() override;

  // The folder of the program file, ending in "/".
  std::string progpath;
  // False until the first display has run its one-time steps.
  bool isfirsttime = false;
  // While set, the language menu handlers do nothing: the program is placing
  // the check mark itself.
  bool dontchlang = false;

  // Fixes the program folder and the number format, loads the translation
  // table and reads the saved language.
  void FormCreate();
  // On the first display only: learns the catalogue, puts the saved language
  // in force, translates every window when that is not German, then looks at
  // the command line.
  void FormShow();
  // Runs when the user closes the window: saves the language. A command-line
  // run ends without it, leaving the options file as it was.
  void FormClose();

  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn4Click();
  void AboutBtnClick();
  void ber1Click();
  void bersetzen1Click();
  void Deutsch1Click();
  void English1Click();
  void Franais1Click();
  void Nederlands1Click();
  void Italian1Click();
  void Spanish1Click();
  void Portuguese1Click();

  // The jobs and the settings the numeric fields show.
  JobRunner jobs;

  // The controls, in the order of the window's definition.
  QWidget ClientArea{this};
  QFrame Panel1{&ClientArea};
  QPushButton BitBtn1{&Panel1};
  NumericField AbweichEd{jobs.settings.deviation, &Panel1};
  NumericField TestEd{jobs.settings.arc_tests, &Panel1};
  NumericField Test2Ed{jobs.settings.line_tests, &Panel1};
  QPushButton AboutBtn{&Panel1};
  QPushButton BitBtn2{&Panel1};
  QPushButton BitBtn4{&Panel1};
  NumericField AbweichLinEd{jobs.settings.join_tolerance, &Panel1};
  QLabel Label3{&Panel1};
  QLabel Label1{&Panel1};
  QLabel Label2{&Panel1};
  QLabel Label4{&Panel1};
  QPlainTextEdit Memo1{&ClientArea};
  QMenuBar MainMenu1{this};
  QMenu Sprache1{&MainMenu1};
  QAction Deutsch1{&Sprache1};
  QAction English1{&Sprache1};
  QAction Franais1{&Sprache1};
  QAction Nederlands1{&Sprache1};
  QAction Italian1{&Sprache1};
  QAction Spanish1{&Sprache1};
  QAction Portuguese1{&Sprache1};
  QAction N1{&Sprache1};
  QAction bersetzen1{&Sprache1};
  QMenu Hilfe1{&MainMenu1};
  QAction ber1{&Hilfe1};
  FileDialog OpenDialog1;
  FileDialog SaveDialog1;
  // The status bar: the result line of the last job, and while a job runs
  // its phase, how far it is and the button that stops it. The result's
  // "Vorschau..." sits at the other end from "Abbrechen", so that a click
  // meant for the one never reaches the other.
  QStatusBar StatusBar1{this};
  QPushButton PreviewBtn{&StatusBar1};
  QLabel ResultLabel{&StatusBar1};
  QLabel ProgressLabel{&StatusBar1};
  QProgressBar ProgressBar1{&StatusBar1};
  QPushButton CancelBtn{&StatusBar1};
  // Beside the deviation: measure true distances (the test counts are then
  // unused); beside the join tolerance: build contours.
  QCheckBox ExactBox{&Panel1};
  QCheckBox ContoursBox{&Panel1};

  // True while a job runs.
  bool JobRunning() const { return job_thread_.Running(); }
  // Asks a running job to stop, as the Cancel button does.
  void CancelBtnClick();
  // Opens the preview of the last job's input and output.
  void PreviewBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // A job's kind and files, for the preview of its result.
  struct FinishedJob {
    JobMode mode;
    std::string input_name;
    std::string output_name;
  };

  void BuildPanel();
  void LayOutPanel();
  void BuildMemo();
  void BuildMenu();
  void ConnectHandlers();
  void SetTabOrder();

  void RunJobWithDialogs(JobMode mode);
  void CommitNumericFields();
  void ShowSettings();
  void BuildStatusBar();
  void BuildModeBoxes();
  void ExactBoxToggled(bool checked);
  QSize InitialSize() const;
  void CommandLineCheck();
  // Ends the program once control returns to the event loop.
  void RequestTermination(int exit_code);
  void StartJob(JobMode mode, std::string input_name, std::string output_name,
                bool from_command_line);
  void JobFinished(const FinishedJob& job, const std::optional<JobSummary>& summary,
                   bool notified, bool from_command_line);
  void ShowProgress();
  void EnableJobButtons(bool enabled);
  void ChooseLanguage(QAction& item, int language_number);
  QAction& LanguageItem(int language_number);
  void PlaceLanguageCheckMark();
  void TranslateWindows();
  void ShowRestartMessage();

  MessageSink* messages_;
  CatalogueNotices notices_{*messages_};
  JobThread job_thread_{notices_};
  QTimer progress_timer_;
  QElapsedTimer job_clock_;
  // Set when the user closed the window while a job ran: it closes when the
  // job has stopped.
  bool close_when_stopped_ = false;
  // Set when the user asked the running job to stop.
  bool stop_requested_ = false;
  std::optional<FinishedJob> last_job_;  // the last job that wrote its output
  FileDialogRunner* file_dialogs_;
  std::vector<std::string> command_line_;
  bool termination_requested_ = false;
  std::function<void(int)> on_termination_;
  QActionGroup language_group_{&Sprache1};
  QtTranslations qt_translations_;
  std::unique_ptr<TAboutBox> about_box_;
  std::unique_ptr<TTranslateForm> translate_form_;
  // The last of the windows, so that the others' texts keep the order in
  // which the translation table learns them. Its parent is this window: it
  // stays above it and does not keep the program running once this window
  // is closed.
  std::unique_ptr<TPreviewForm> preview_form_;
  // What places the controls; declared after them, and each nested layout
  // after the one that holds it, so that each goes before what it holds.
  QVBoxLayout client_layout_{&ClientArea};
  QVBoxLayout panel_layout_{&Panel1};
  QGridLayout job_button_grid_;
  QHBoxLayout deviation_row_;
  QHBoxLayout join_tolerance_row_;
};

}  // namespace quillmere
