#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

#include "app/catalogue_notices.h"
#include "app/job_runner.h"
#include "app/win/job_worker.h"
#include "app/win/numeric_field.h"
#include "app/presenter/shown_texts.h"
#include "app/win/win_boxes.h"
#include "app/win/win_file_dialog.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// What the main window opens: the About box, the translation editor and
// the preview of a job's result.
struct MainWindowCommands {
  std::function<void(HWND owner)> show_about;
  std::function<void(HWND owner)> show_translation_editor;
  std::function<void(JobMode mode, const std::string& input, const std::string& output)>
      show_preview;
};

// The program's main window: the job buttons with their file dialogs, the
// numeric fields and mode boxes that edit the job settings, the help text,
// the menus "Sprache" and "Hilfe", and below a status line with the result
// of the last job and, while one runs, its phase, a progress bar and the
// button that stops it. Jobs run on a worker thread.
class MainWindow {
 public:
  MainWindow(const ShownTexts& texts, BoxMessages& messages, MainWindowCommands commands);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, places it on the screen and shows it.
  bool Create(HINSTANCE instance, int show);
  HWND handle() const { return window_; }

  // Puts the check mark on the language item of `language_number`; the
  // spare columns 7 to 19 have no item, "Deutsch" stays marked for them.
  void PlaceLanguageCheckMark(int language_number);

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);

  void BuildControls();
  void BuildMenu();
  HWND AddControl(const wchar_t* kind, DWORD style, int id, std::u16string_view text,
                  DWORD extended_style = 0);
  void Layout();
  void LayoutStatusLine(int top);
  void ApplyDpi(int dpi);
  void Command(int id, int notification, HWND control);

  void RunJobWithDialogs(JobMode mode);
  void StartJob(JobMode mode, std::string input_name, std::string output_name);
  void JobFinished();
  void ShowProgress();
  void ShowStatusControls(bool running);
  void CommitNumericFields();
  void ChooseLanguage(int language_number);
  void ExactBoxClicked();
  void Close();

  const ShownTexts& texts_;
  BoxMessages& messages_;
  CatalogueNotices notices_{messages_};
  MainWindowCommands commands_;
  JobRunner jobs_;
  NumericField deviation_{jobs_.settings.deviation};
  NumericField arc_tests_{jobs_.settings.arc_tests};
  NumericField line_tests_{jobs_.settings.line_tests};
  NumericField join_tolerance_{jobs_.settings.join_tolerance};
  FileDialog open_dialog_;
  FileDialog save_dialog_;

  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  int dpi_ = 96;
  HFONT font_ = nullptr;
  HIMAGELIST job_images_ = nullptr;
  HIMAGELIST help_images_ = nullptr;
  HBRUSH memo_brush_ = nullptr;
  std::u16string mnemonics_;

  HWND job_buttons_[3] = {};
  HWND about_button_ = nullptr;
  HWND labels_[4] = {};  // Label3, Label1, Label2, Label4
  HWND exact_box_ = nullptr;
  HWND contours_box_ = nullptr;
  HWND memo_ = nullptr;
  HWND result_label_ = nullptr;
  HWND preview_button_ = nullptr;
  HWND progress_label_ = nullptr;
  HWND progress_bar_ = nullptr;
  HWND cancel_button_ = nullptr;
  HWND focus_ = nullptr;  // the control with the focus when the window was left

  std::optional<JobWorker> worker_;
  DWORD job_started_ = 0;
  bool close_when_stopped_ = false;
  struct FinishedJob {
    JobMode mode;
    std::string input_name;
    std::string output_name;
  };
  std::optional<FinishedJob> running_job_;
  std::optional<FinishedJob> last_job_;  // the last job that wrote its output
  bool marquee_ = false;
};

}  // namespace quillmere::win
