#include "app/win/main_window.h"

#include "app/win/main_window_parts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_text.h"
#include "app/presenter/window_texts.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "i18n/options_file.h"

// The main window itself: its creation, its messages and commands.

namespace quillmere::win {

using namespace main_window;

namespace {
constexpr wchar_t kClassName[] = L"QuillmereMainWindow";
}  // namespace

MainWindow::MainWindow(const ShownTexts& texts, BoxMessages& messages, MainWindowCommands commands)
    : texts_(texts),
      messages_(messages),
      commands_(std::move(commands)),
      open_dialog_(FileDialogKind::kOpen, texts.Text(kMainWindow, "OpenDialog1"),
                   std::u16string(kDxfExtension)),
      save_dialog_(FileDialogKind::kSave, texts.Text(kMainWindow, "SaveDialog1"),
                   std::u16string(kDxfExtension)) {}

MainWindow::~MainWindow() {
  worker_.reset();  // stops a running job and waits for it
  if (font_ != nullptr) ::DeleteObject(font_);
  if (job_images_ != nullptr) ::ImageList_Destroy(job_images_);
  if (help_images_ != nullptr) ::ImageList_Destroy(help_images_);
}

bool MainWindow::Create(HINSTANCE instance, int show) {
  RegisterWindowClass(instance, kClassName, ObjectProcedure<MainWindow>);

  // A single fixed border: the window keeps the size of its design.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName,
                              Wide(texts_.Caption(kMainWindow)).c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  worker_.emplace(window_);
  BuildMenu();
  BuildControls();
  ApplyDpi(DpiOf(window_));
  ::ShowWindow(window_, show);
  ::UpdateWindow(window_);
  ::SetFocus(job_buttons_[0]);
  return true;
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_NOTIFY: {
      const auto* const header = reinterpret_cast<const NMHDR*>(l);
      if (header->code == UDN_DELTAPOS) {
        const auto* const change = reinterpret_cast<const NMUPDOWN*>(l);
        for (NumericField* field : {&deviation_, &arc_tests_, &line_tests_, &join_tolerance_}) {
          if (field->arrows() == header->hwndFrom) field->Step(change->iDelta > 0 ? 1 : -1);
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
      if (w == kProgressTimer) ShowProgress();
      return 0;
    case kJobNoticeMessage: {
      notices_.Notify(*reinterpret_cast<const Failure*>(l));
      return 0;
    }
    case kJobFinishedMessage:
      JobFinished();
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
      ::SetFocus(focus_ != nullptr && ::IsWindowEnabled(focus_) ? focus_
                                                                 : ::GetNextDlgTabItem(window_, nullptr, FALSE));
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

void MainWindow::Command(int id, int notification, HWND control) {
  (void)control;
  if (id >= kLanguageFirst && id <= kLanguageLast) {
    ChooseLanguage(id - kLanguageFirst);
    return;
  }
  switch (id) {
    case kBitBtn1:
      RunJobWithDialogs(JobMode::kFindArcs);
      break;
    case kBitBtn2:
      RunJobWithDialogs(JobMode::kChainLines);
      break;
    case kBitBtn4:
      RunJobWithDialogs(JobMode::kJoinPolylines);
      break;
    case kAboutBtn:
    case kAboutItem:
      commands_.show_about(window_);
      break;
    case kTranslateItem:
      commands_.show_translation_editor(window_);
      // The windows take up changed translations only at the next start.
      messages_.ShowInformation(CatalogueText(kTextTranslate), CatalogueText(kTextRestart));
      break;
    case kExactBox:
      if (notification == BN_CLICKED) ExactBoxClicked();
      break;
    case kContoursBox:
      if (notification == BN_CLICKED) {
        jobs_.settings.contours = ::SendMessageW(contours_box_, BM_GETCHECK, 0, 0) == BST_CHECKED;
      }
      break;
    case kPreviewBtn:
      if (last_job_) commands_.show_preview(last_job_->mode, last_job_->input_name, last_job_->output_name);
      break;
    case kCancelBtn:
    case IDCANCEL:  // Esc
      if (worker_->Running()) {
        worker_->RequestStop();
        ::EnableWindow(cancel_button_, FALSE);
      }
      break;
    case IDOK: {  // Return: presses the button with the focus, as in a dialog
      const HWND focus = ::GetFocus();
      const LRESULT code = focus != nullptr ? ::SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
      if (::IsChild(window_, focus) && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        ::SendMessageW(focus, BM_CLICK, 0, 0);
      } else {
        CommitNumericFields();
      }
      break;
    }
    default:
      break;
  }
}

void MainWindow::ExactBoxClicked() {
  const bool exact = ::SendMessageW(exact_box_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  jobs_.settings.exact_distances = exact;
  // The exact measure needs no test points.
  arc_tests_.Enable(!exact);
  line_tests_.Enable(!exact);
}

void MainWindow::ChooseLanguage(int language_number) {
  PlaceLanguageCheckMark(language_number);
  SetLanguage(language_number);
  messages_.ShowInformation(CatalogueText(kTextTranslate), CatalogueText(kTextRestart));
}

void MainWindow::Close() {
  // A running job is stopped first; the window closes once it has.
  if (worker_->Running()) {
    close_when_stopped_ = true;
    worker_->RequestStop();
    return;
  }
  SaveOptions();
  ::DestroyWindow(window_);
}

}  // namespace quillmere::win
