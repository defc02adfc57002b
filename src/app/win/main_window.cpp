#include "app/win/main_window.h"

#include <algorithm>

#include "app/win/win_dpi.h"
#include "app/win/win_file_dialog.h"
#include "app/win/win_text.h"
#include "i18n/language.h"
#include "support/utf.h"

// The main window itself: its creation, its messages and commands, and the
// presenter's view.

namespace quillmere::win {

namespace {

constexpr wchar_t kMainWindowClass[] = L"QuillmereMainWindow";
constexpr UINT kProgressInterval = 100;  // milliseconds

}  // namespace

MainWindow::MainWindow(const ShownTexts& texts, BoxMessages& messages, MainWindowCommands commands)
    : texts_(texts), messages_(messages), commands_(std::move(commands)) {
  for (int field = 0; field < kNumberFieldCount; ++field) {
    fields_[field] = std::make_unique<NumericField>(presenter_.Field(field));
  }
}


bool MainWindow::Create(int show) {
  // A single fixed border: the window keeps the size of its design.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  window_ = CreateObjectWindow(*this, kMainWindowClass, WS_EX_CONTROLPARENT, texts_.Caption(kMainWindow),
                               style, nullptr);
  if (window_ == nullptr) return false;
  ui_thread_.SetWindow(window_);
  BuildMenu();
  BuildControls();
  ApplyDpi(DpiOf(window_));
  presenter_.PlaceLanguageCheckMark();
  ::ShowWindow(window_, show);
  ::UpdateWindow(window_);
  ::SetFocus(job_buttons_[0]);
  return true;
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(w), HIWORD(w));
      return 0;
    case WM_NOTIFY: {
      const auto* const header = reinterpret_cast<const NMHDR*>(l);
      if (header->code == UDN_DELTAPOS) {
        const auto* const change = reinterpret_cast<const NMUPDOWN*>(l);
        for (const auto& field : fields_) {
          if (field->arrows() == header->hwndFrom) field->field().Step(change->iDelta > 0 ? 1 : -1);
        }
        return 1;  // the arrows' own position stays as it is
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      // The help text is read-only but shown on the usual white of text.
      if (reinterpret_cast<HWND>(l) == memo_) {
        ::SetBkColor(reinterpret_cast<HDC>(w), ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_TIMER:
      if (w == kProgressTimer) presenter_.ProgressTick();
      return 0;
    case kRunPostedMessage:
      RunPosted(l);
      return 0;
    case WM_NEXTDLGCTL:
      MoveDialogFocus(window_, w, l);
      return 0;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(w));
      TakeSuggestedFrame(window_, l);
      return 0;
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is
      // active again, as in a dialog.
      if (LOWORD(w) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window_, focus)) focus_ = focus;
      }
      break;  // activating gives the window the focus, which goes on below
    case WM_SETFOCUS:
      ::SetFocus(focus_ != nullptr && ::IsWindowEnabled(focus_) && ::IsWindowVisible(focus_)
                     ? focus_
                     : ::GetNextDlgTabItem(window_, nullptr, FALSE));
      return 0;
    case WM_CLOSE:
      // Only the user closes the window (its close box, Alt+F4), never Esc.
      if (presenter_.CloseRequested()) ::DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      DropPosted(window_);
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

void MainWindow::Command(int id, int notification) {
  if (id >= kLanguageFirst && id <= kLanguageLast) {
    presenter_.LanguageChosen(id - kLanguageFirst);
    return;
  }
  if (id >= kModeBoxFirst && id < kModeBoxFirst + kModeBoxCount) {
    const HWND box = mode_boxes_[id - kModeBoxFirst];
    if (notification == BN_CLICKED) {
      presenter_.ModeBoxClicked(id - kModeBoxFirst,
                                ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
    return;
  }
  if (id >= kFieldFirst && id < kFieldFirst + kFieldIdStep * kNumberFieldCount) {
    if (notification == EN_CHANGE && (id - kFieldFirst) % kFieldIdStep == 0) {
      fields_[(id - kFieldFirst) / kFieldIdStep]->field().TextEdited();
    }
    return;
  }
  if (id >= kBitBtn1 && id < kBitBtn1 + kJobButtonCount) {
    presenter_.JobButtonClicked(kJobButtons[id - kBitBtn1].mode);
    return;
  }
  switch (id) {
    case kAboutBtn:
    case kAboutItem:
      commands_.show_about(window_);
      break;
    case kTranslateItem:
      commands_.show_translation_editor(window_);
      // The windows take up changed translations only at the next start.
      presenter_.ShowRestartMessage();
      break;
    case kPreviewBtn:
      presenter_.PreviewClicked();
      break;
    case kCancelBtn:
    case IDCANCEL:  // Esc, from wherever the focus is
      presenter_.CancelClicked();
      break;
    case IDOK:
      ReturnPressed();
      break;
    default:
      break;
  }
}

// Return presses the button with the focus, as in a dialog; in a field it
// commits the typed number.
void MainWindow::ReturnPressed() {
  const HWND focus = ::GetFocus();
  const LRESULT code = focus != nullptr ? ::SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
  if (::IsChild(window_, focus) && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    ::SendMessageW(focus, BM_CLICK, 0, 0);
    return;
  }
  for (const auto& field : fields_) field->field().Commit();
}

// The presenter's view.

void MainWindow::SetJobRunning(bool running) {
  if (running) {
    ::SetTimer(window_, kProgressTimer, kProgressInterval, nullptr);
  } else {
    ::KillTimer(window_, kProgressTimer);
  }
  const HWND focus = ::GetFocus();
  for (HWND button : job_buttons_) ::EnableWindow(button, running ? FALSE : TRUE);
  // A disabled button loses the focus, and without one Esc reaches no
  // control: the focus moves on to the next control that takes it, and
  // where the window's own activation will give it, to the first.
  if (::GetFocus() == nullptr && ::GetActiveWindow() == window_) {
    ::SetFocus(::GetNextDlgTabItem(window_, focus, FALSE));
  }
  if (focus_ != nullptr && !::IsWindowEnabled(focus_)) focus_ = nullptr;
}

void MainWindow::ShowProgress(const std::optional<ProgressDisplay>& progress) {
  for (HWND control : {progress_label_, progress_bar_, cancel_button_}) {
    ::ShowWindow(control, progress ? SW_SHOW : SW_HIDE);
  }
  if (!progress) return;
  SetText(progress_label_, progress->phase);
  const bool measured = progress->thousandths >= 0;
  if (measured == marquee_) {
    // Without a measure the bar runs to and fro.
    LONG_PTR style = ::GetWindowLongPtrW(progress_bar_, GWL_STYLE);
    style = measured ? (style & ~PBS_MARQUEE) : (style | PBS_MARQUEE);
    ::SetWindowLongPtrW(progress_bar_, GWL_STYLE, style);
    ::SendMessageW(progress_bar_, PBM_SETMARQUEE, measured ? FALSE : TRUE, 0);
    marquee_ = !measured;
  }
  if (measured) ::SendMessageW(progress_bar_, PBM_SETPOS, progress->thousandths, 0);
}

void MainWindow::EnableCancel(bool enabled) { ::EnableWindow(cancel_button_, enabled); }

void MainWindow::ShowResult(const std::u16string& line, bool with_preview) {
  SetText(result_label_, line);
  LayoutStatusLine();
  ::ShowWindow(preview_button_, with_preview ? SW_SHOW : SW_HIDE);
}

void MainWindow::EnableNumberField(int field, bool enabled) { fields_[field]->Enable(enabled); }

void MainWindow::TickModeBox(int box, bool ticked) {
  ::SendMessageW(mode_boxes_[box], BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::CheckLanguageItem(int item) {
  ::CheckMenuRadioItem(menu_, kLanguageFirst, kLanguageLast, kLanguageFirst + item, MF_BYCOMMAND);
}

std::optional<std::string> MainWindow::ChooseFile(const FileRequest& request) {
  const std::optional<std::u16string> chosen = ShowFileDialog(window_, request);
  if (!chosen) return std::nullopt;
  return Utf16ToUtf8(*chosen);  // the core's file calls take UTF-8
}

void MainWindow::OpenPreview(const JobPreviewRequest& request) { commands_.show_preview(request); }

void MainWindow::CloseWindow() { ::PostMessageW(window_, WM_CLOSE, 0, 0); }

// A command-line run shows no window; its job never starts here.
void MainWindow::EndProgram(int exit_code) { ::PostQuitMessage(exit_code); }

}  // namespace quillmere::win
