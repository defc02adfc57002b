#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/presenter/main_presenter.h"
#include "app/presenter/shown_texts.h"
#include "app/win/numeric_field.h"
#include "app/win/win_boxes.h"
#include "app/win/win_ui_thread.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// What the main window opens: the About box, the translation editor and
// the preview of a job's result.
struct MainWindowCommands {
  std::function<void(HWND owner)> show_about;
  std::function<void(HWND owner)> show_translation_editor;
  std::function<void(const JobPreviewRequest& request)> show_preview;
};

// The program's main window, drawn with the Windows API: the job buttons,
// the number fields and mode boxes, the help text, the menus "Sprache" and
// "Hilfe", and below a status line with the result of the last job and,
// while one runs, its phase, a progress bar and the button that stops it.
// What it does is the presenter's (MainPresenter); the window draws the
// controls and forwards their events.
class MainWindow : public MainView {
 public:
  MainWindow(const ShownTexts& texts, BoxMessages& messages, MainWindowCommands commands);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, places it on the screen and shows it.
  bool Create(int show);
  HWND handle() const { return window_; }
  MainPresenter& presenter() { return presenter_; }

  // MainView
  void SetJobRunning(bool running) override;
  void ShowProgress(const std::optional<ProgressDisplay>& progress) override;
  void EnableCancel(bool enabled) override;
  void ShowResult(const std::u16string& line, bool with_preview) override;
  void EnableNumberField(int field, bool enabled) override;
  void TickModeBox(int box, bool ticked) override;
  void CheckLanguageItem(int item) override;
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  void OpenPreview(const JobPreviewRequest& request) override;
  void CloseWindow() override;
  void EndProgram(int exit_code) override;

 private:
  // Design sizes in pixels of a 96-dpi screen.
  static constexpr int kClientWidth = 577;
  static constexpr int kPanelHeight = 257;
  static constexpr int kMemoHeight = 336;
  static constexpr int kStatusHeight = 26;
  static constexpr int kClientHeight = kPanelHeight + kMemoHeight + kStatusHeight;

  enum ControlId : int {
    kBitBtn1 = 100,  // the job buttons, in the order of kJobButtons
    kAboutBtn = 103,
    kMemo1,
    kPreviewBtn,
    kCancelBtn,
    kResultLabel,
    kProgressLabel,
    kProgressBar,
    kLabelFirst = 120,      // the fields' labels, in the order of the fields
    kFieldFirst = 200,      // each field's arrows take the next number
    kFieldIdStep = 10,
    kModeBoxFirst = 400,    // in the order of the mode boxes
    kLanguageFirst = 300,   // Deutsch1 .. Portuguese1
    kLanguageLast = 306,
    kTranslateItem = 310,
    kAboutItem = 311,
  };

  static constexpr UINT_PTR kProgressTimer = 1;

  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK MemoProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                        UINT_PTR id, DWORD_PTR main_window);

  void BuildControls();
  void BuildMenu();
  void AddControlsOf(std::string_view name);
  void Layout();
  void LayoutStatusLine();
  void ApplyDpi(int dpi);
  void Command(int id, int notification);
  void ReturnPressed();

  const ShownTexts& texts_;
  BoxMessages& messages_;
  MainWindowCommands commands_;
  WindowUiThread ui_thread_;
  MainPresenter presenter_{*this, ui_thread_, messages_, texts_};
  std::array<std::unique_ptr<NumericField>, kNumberFieldCount> fields_;

  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  int dpi_ = 96;
  OwnedFont font_;
  OwnedImages job_images_;
  OwnedImages help_images_;
  std::u16string mnemonics_;

  HWND job_buttons_[kJobButtonCount] = {};
  HWND about_button_ = nullptr;
  HWND labels_[kNumberFieldCount] = {};  // each above its field
  std::array<HWND, kModeBoxCount> mode_boxes_ = {};
  HWND memo_ = nullptr;
  HWND result_label_ = nullptr;
  HWND preview_button_ = nullptr;
  HWND progress_label_ = nullptr;
  HWND progress_bar_ = nullptr;
  HWND cancel_button_ = nullptr;
  HWND focus_ = nullptr;  // the control with the focus when the window was left
  bool marquee_ = false;
};

}  // namespace quillmere::win
