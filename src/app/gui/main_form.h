#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "app/gui/about_box.h"
#include "app/gui/file_dialogs.h"
#include "app/gui/numeric_field.h"
#include "app/gui/preview/preview_form.h"
#include "app/gui/qt_translations.h"
#include "app/gui/qt_ui_thread.h"
#include "app/gui/translate_form.h"
#include "app/presenter/main_presenter.h"
#include "app/presenter/shown_texts.h"

namespace quillmere {

// The program's main window, drawn with Qt: the job buttons, the number
// fields and mode boxes, the help text, the menus and the status line. What
// it does is the presenter's (MainPresenter); the window draws the controls
// and forwards their events. Creating it runs FormCreate; its first display
// runs the one-time steps and the command-line check.
class TMainForm : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  // `messages` receives the jobs' messages, `file_dialogs` shows the open
  // and save dialogs; both must outlive the window.
  TMainForm(MessageSink& messages, FileDialogRunner& file_dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The arguments after the program path, examined on the first display.
  void SetCommandLine(std::vector<std::string> arguments);

  // True once a command-line run has started: the program ends when its
  // job has.
  bool TerminationRequested() const { return presenter_.TerminationRequested(); }
  // Called with the exit status when a command-line run has ended: 1 when
  // its job showed a message, 0 otherwise. The program ends there.
  void SetOnTermination(std::function<void(int)> on_termination) {
    on_termination_ = std::move(on_termination);
  }

  TAboutBox& AboutBox() { return *about_box_; }
  TTranslateForm& TranslateForm() { return *translate_form_; }
  TPreviewForm& PreviewForm() { return *preview_form_; }
  MainPresenter& presenter() { return presenter_; }
  JobRunner& jobs() { return presenter_.jobs; }
  const ShownTexts& texts() const { return texts_; }

  // The components of the window's table, in its order.
  QObjectList Components();

  // The folder of the program file, ending in "/".
  std::string progpath;
  // False until the first display has run its one-time steps.
  bool isfirsttime = false;

  // Fixes the program folder and the number format, loads the translation
  // table and reads the saved language.
  void FormCreate();
  // On the first display only: learns the catalogue, puts the saved language
  // in force, translates every window when that is not German, then looks at
  // the command line.
  void FormShow();

  // The controls, in the order of the window's definition.
  QWidget ClientArea{this};
  QFrame Panel1{&ClientArea};
  QPushButton BitBtn1{&Panel1};
  NumericField AbweichEd{&Panel1};
  NumericField TestEd{&Panel1};
  NumericField Test2Ed{&Panel1};
  QPushButton AboutBtn{&Panel1};
  QPushButton BitBtn2{&Panel1};
  QPushButton BitBtn4{&Panel1};
  NumericField AbweichLinEd{&Panel1};
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
  // The mode boxes, one per entry of kModeBoxes, each beside its field.
  std::array<QCheckBox, kModeBoxCount> ModeBoxes;

  NumericField& FieldWidget(int field);
  std::array<QPushButton*, kJobButtonCount> JobButtons();
  // Deutsch1 to Portuguese1, in the order of the languages' numbers.
  std::array<QAction*, std::size(kLanguageItems)> LanguageItems();
  QCheckBox& ModeBox(std::string_view name);
  bool JobRunning() const { return presenter_.JobRunning(); }

  // MainView
  void SetJobRunning(bool running) override;
  void ShowProgress(const std::optional<ProgressDisplay>& progress) override;
  void EnableCancel(bool enabled) override;
  void ShowResult(const std::u16string& line, bool with_preview) override;
  void EnableNumberField(int field, bool enabled) override;
  void TickModeBox(int box, bool ticked) override;
  void CheckLanguageItem(int item) override;
  void UseLanguage(int language) override;
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  void OpenPreview(const JobPreviewRequest& request) override;
  void CloseWindow() override;
  void EndProgram(int exit_code) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPanel();
  void LayOutPanel();
  void BuildMemo();
  void BuildMenu();
  void BuildStatusBar();
  void ConnectHandlers();
  void SetTabOrder();
  QSize InitialSize() const;
  // The height the memo needs to show `lines` lines of its text without
  // scrolling.
  static int MemoHeight(const QPlainTextEdit& memo, int lines);
  void ShowAllTexts();
  void OpenTranslationEditor();

  MessageSink* messages_;
  FileDialogRunner* file_dialogs_;
  std::vector<std::string> command_line_;
  std::function<void(int)> on_termination_;
  QtUiThread ui_thread_{*this};
  ShownTexts texts_;
  QTimer progress_timer_;
  QActionGroup language_group_{&Sprache1};
  QtTranslations qt_translations_;
  std::unique_ptr<TAboutBox> about_box_;
  std::unique_ptr<TTranslateForm> translate_form_;
  // The last of the windows. Its parent is this window: it stays above it
  // and does not keep the program running once this window is closed.
  std::unique_ptr<TPreviewForm> preview_form_;
  // What places the controls; declared after them, and each nested layout
  // after the one that holds it, so that each goes before what it holds.
  QVBoxLayout client_layout_{&ClientArea};
  QVBoxLayout panel_layout_{&Panel1};
  QGridLayout job_button_grid_;
  std::array<QHBoxLayout, kNumberFieldCount> field_rows_;
  // Last: a running job is stopped and waited for before the controls go.
  MainPresenter presenter_{*this, ui_thread_, *messages_, texts_};
};

}  // namespace quillmere
