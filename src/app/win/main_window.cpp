#include "app/win/main_window.h"

#include <algorithm>

#include "app/job_phase_text.h"
#include "app/window_texts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_modal.h"
#include "app/win/win_pictures.h"
#include "app/win/win_text.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "support/utf.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kClassName[] = L"QuillmereMainWindow";

// Design sizes in pixels of a 96-dpi screen.
constexpr int kClientWidth = 577;
constexpr int kPanelHeight = 257;
constexpr int kMemoHeight = 336;
constexpr int kStatusHeight = 26;
constexpr int kClientHeight = kPanelHeight + kMemoHeight + kStatusHeight;

enum ControlId : int {
  kBitBtn1 = 100,
  kBitBtn2,
  kBitBtn4,
  kAboutBtn,
  kExactBox,
  kContoursBox,
  kMemo1,
  kPreviewBtn,
  kCancelBtn,
  kResultLabel,
  kProgressLabel,
  kProgressBar,
  kLabelFirst = 120,  // Label3, Label1, Label2, Label4
  kAbweichEd = 200,   // each field's arrows take the next number
  kTestEd = 210,
  kTest2Ed = 220,
  kAbweichLinEd = 230,
  kLanguageFirst = 300,  // Deutsch1 .. Portuguese1
  kLanguageLast = 306,
  kTranslateItem = 310,
  kAboutItem = 311,
};

constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressInterval = 100;  // milliseconds
constexpr DWORD kQuietMilliseconds = 500;  // a shorter job shows no progress

constexpr std::string_view kLanguageItems[] = {"Deutsch1", "English1", "Franais1", "Nederlands1",
                                               "Italian1", "Spanish1", "Portuguese1"};

// Places of the controls on the panel: left, top, width, height.
struct Place {
  int left, top, width, height;
};
constexpr Place kJobButtonPlaces[] = {{8, 8, 185, 33}, {8, 40, 281, 33}, {288, 40, 281, 33}};
constexpr Place kAboutPlace{195, 8, 94, 33};
constexpr Place kFieldPlaces[] = {{8, 112, 73, 21}, {8, 152, 73, 21}, {8, 192, 73, 21}, {8, 232, 97, 21}};
constexpr POINT kLabelPlaces[] = {{8, 96}, {8, 136}, {8, 176}, {8, 216}};
constexpr POINT kExactPlace{88, 113};
constexpr POINT kContoursPlace{112, 233};

std::string FileNameBytes(const std::u16string& name) { return Utf16ToUtf8(name); }

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
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  ::RegisterClassExW(&window_class);

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

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* const create = reinterpret_cast<CREATESTRUCTW*>(l);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* const self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) return ::DefWindowProcW(window, message, w, l);
  return self->Handle(message, w, l);
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
      const auto* const request = reinterpret_cast<const JobNoticeRequest*>(l);
      notices_.Notify(request->notice, *request->file_name);
      return 0;
    }
    case kJobFinishedMessage:
      JobFinished();
      return 0;
    case WM_DPICHANGED: {
      const auto* const suggested = reinterpret_cast<const RECT*>(l);
      ApplyDpi(HIWORD(w));
      ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
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

HWND MainWindow::AddControl(const wchar_t* kind, DWORD style, int id, std::u16string_view text,
                            DWORD extended_style) {
  const HINSTANCE instance =
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  return ::CreateWindowExW(extended_style, kind, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 10, 10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, nullptr);
}

// Created in the order of the tab order; each label just before the field
// it names, so that its mnemonic moves the focus there.
void MainWindow::BuildControls() {
  const auto text = [this](std::string_view name) {
    return WithMnemonic(texts_.Text(kMainWindow, name), mnemonics_);
  };
  constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
  job_buttons_[0] = AddControl(L"BUTTON", kButton, kBitBtn1, text("BitBtn1"));
  labels_[0] = AddControl(L"STATIC", 0, kLabelFirst, text("Label3"));
  deviation_.Create(window_, kAbweichEd);
  exact_box_ = AddControl(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kExactBox, text("ExactBox"));
  labels_[1] = AddControl(L"STATIC", 0, kLabelFirst + 1, text("Label1"));
  arc_tests_.Create(window_, kTestEd);
  labels_[2] = AddControl(L"STATIC", 0, kLabelFirst + 2, text("Label2"));
  line_tests_.Create(window_, kTest2Ed);
  about_button_ = AddControl(L"BUTTON", kButton, kAboutBtn, text("AboutBtn"));
  job_buttons_[1] = AddControl(L"BUTTON", kButton, kBitBtn2, text("BitBtn2"));
  job_buttons_[2] = AddControl(L"BUTTON", kButton, kBitBtn4, text("BitBtn4"));
  labels_[3] = AddControl(L"STATIC", 0, kLabelFirst + 3, text("Label4"));
  join_tolerance_.Create(window_, kAbweichLinEd);
  contours_box_ =
      AddControl(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kContoursBox, text("ContoursBox"));

  const std::vector<std::u16string>& lines = texts_.Lines(kMainWindow, "Memo1");
  std::u16string help;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) help += u"\r\n";
    help += lines[i];
  }
  memo_ = AddControl(L"EDIT",
                     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                         ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                     kMemo1, help, WS_EX_CLIENTEDGE);

  result_label_ = AddControl(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kResultLabel, u"");
  preview_button_ = AddControl(L"BUTTON", kButton, kPreviewBtn, text("PreviewBtn"));
  progress_label_ = AddControl(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kProgressLabel, u"");
  progress_bar_ = AddControl(PROGRESS_CLASSW, PBS_SMOOTH, kProgressBar, u"");
  ::SendMessageW(progress_bar_, PBM_SETRANGE32, 0, 1000);
  cancel_button_ = AddControl(L"BUTTON", kButton, kCancelBtn, text("CancelBtn"));
  ShowStatusControls(false);
  ::ShowWindow(preview_button_, SW_HIDE);
}

void MainWindow::BuildMenu() {
  const auto text = [this](std::string_view name, std::u16string& taken) {
    return Wide(WithMnemonic(texts_.Text(kMainWindow, name), taken));
  };
  std::u16string bar_taken;
  std::u16string language_taken;
  std::u16string help_taken;
  menu_ = ::CreateMenu();
  const HMENU languages = ::CreatePopupMenu();
  for (int number = 0; number <= kLanguageLast - kLanguageFirst; ++number) {
    ::AppendMenuW(languages, MF_STRING, kLanguageFirst + number,
                  text(kLanguageItems[number], language_taken).c_str());
  }
  // A caption "-" is the separator line; a translation may make it a text.
  const std::u16string& separator = texts_.Text(kMainWindow, "N1");
  if (separator == u"-") {
    ::AppendMenuW(languages, MF_SEPARATOR, 0, nullptr);
  } else {
    ::AppendMenuW(languages, MF_STRING | MF_DISABLED, 0, Wide(separator).c_str());
  }
  ::AppendMenuW(languages, MF_STRING, kTranslateItem, text("bersetzen1", language_taken).c_str());
  ::AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(languages),
                text("Sprache1", bar_taken).c_str());
  const HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(help, MF_STRING, kAboutItem, text("ber1", help_taken).c_str());
  ::AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), text("Hilfe1", bar_taken).c_str());
  ::SetMenu(window_, menu_);
  PlaceLanguageCheckMark(kGerman);
}

void MainWindow::PlaceLanguageCheckMark(int language_number) {
  const int number =
      language_number >= kGerman && language_number <= kPortuguese ? language_number : kGerman;
  ::CheckMenuRadioItem(menu_, kLanguageFirst, kLanguageLast, kLanguageFirst + number, MF_BYCOMMAND);
}

void MainWindow::ApplyDpi(int dpi) {
  dpi_ = dpi;
  if (font_ != nullptr) ::DeleteObject(font_);
  font_ = CreateWindowFont(dpi);
  SetFontOnAll(window_, font_);
  if (job_images_ != nullptr) ::ImageList_Destroy(job_images_);
  if (help_images_ != nullptr) ::ImageList_Destroy(help_images_);
  job_images_ = JobButtonImages(dpi);
  help_images_ = HelpButtonImages(dpi);
  for (HWND button : job_buttons_) SetButtonImages(button, job_images_);
  SetButtonImages(about_button_, help_images_);

  RECT frame{0, 0, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi)};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  PlaceOnScreen(window_, frame.right - frame.left, frame.bottom - frame.top, window_);
  Layout();
}

void MainWindow::Layout() {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  const auto place = [&](HWND control, const Place& p) {
    ::MoveWindow(control, s(p.left), s(p.top), s(p.width), s(p.height), TRUE);
  };
  for (int i = 0; i < 3; ++i) place(job_buttons_[i], kJobButtonPlaces[i]);
  place(about_button_, kAboutPlace);
  NumericField* const fields[] = {&deviation_, &arc_tests_, &line_tests_, &join_tolerance_};
  for (int i = 0; i < 4; ++i) {
    const Place& p = kFieldPlaces[i];
    fields[i]->Place(s(p.left), s(p.top), s(p.width), s(p.height));
  }
  // Labels and check boxes are as large as their texts.
  const auto fit = [&](HWND control, POINT at, int extra_width, int height) {
    const std::wstring text = Wide(TextOf(control));
    const SIZE size = TextSize(font_, text.c_str());
    ::MoveWindow(control, s(at.x), s(at.y), size.cx + s(extra_width), std::max<int>(size.cy, s(height)), TRUE);
  };
  for (int i = 0; i < 4; ++i) fit(labels_[i], kLabelPlaces[i], 0, 13);
  fit(exact_box_, kExactPlace, 22, 19);
  fit(contours_box_, kContoursPlace, 22, 19);
  ::MoveWindow(memo_, 0, s(kPanelHeight), s(kClientWidth), s(kMemoHeight), TRUE);
  LayoutStatusLine(s(kPanelHeight + kMemoHeight));
}

// Left the result line and the preview button beside it; right, while a job
// runs, its phase, the progress bar and the button that stops it.
void MainWindow::LayoutStatusLine(int top) {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  const int width = s(kClientWidth);
  const int button_width = s(84);
  const int button_height = s(21);
  const int button_top = top + s(3);
  const int text_top = top + s(6);
  const int text_height = s(14);
  ::MoveWindow(cancel_button_, width - s(4) - button_width, button_top, button_width, button_height, TRUE);
  const int bar_left = width - s(8) - button_width - s(160);
  ::MoveWindow(progress_bar_, bar_left, top + s(6), s(160), s(14), TRUE);
  ::MoveWindow(progress_label_, bar_left - s(124), text_top, s(120), text_height, TRUE);
  const SIZE result = TextSize(font_, Wide(TextOf(result_label_)).c_str());
  const int result_width = std::min<int>(result.cx + s(4), width - s(16) - button_width);
  ::MoveWindow(result_label_, s(6), text_top, result_width, text_height, TRUE);
  ::MoveWindow(preview_button_, s(6) + result_width + s(6), button_top, button_width, button_height, TRUE);
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
    LayoutStatusLine(Scaled(kPanelHeight + kMemoHeight, dpi_));
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
