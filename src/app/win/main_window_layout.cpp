#include <algorithm>
#include <string_view>

#include "app/win/main_window.h"
#include "app/win/win_dpi.h"
#include "app/win/win_pictures.h"
#include "app/win/win_text.h"
#include "i18n/language.h"

// The controls of the main window: their kinds, order, texts and places.

namespace quillmere::win {

namespace {

// Places of the controls: left, top, width, height.
struct Place {
  int left, top, width, height;
};
constexpr Place kJobButtonPlaces[] = {{8, 8, 185, 33}, {8, 40, 281, 33}, {288, 40, 281, 33}};
constexpr Place kAboutPlace{195, 8, 94, 33};
constexpr Place kFieldPlaces[] = {{8, 112, 73, 21}, {8, 152, 73, 21}, {8, 192, 73, 21}, {8, 232, 97, 21}};
constexpr POINT kLabelPlaces[] = {{8, 96}, {8, 136}, {8, 176}, {8, 216}};
constexpr int kBoxGap = 7;  // between a field and the box beside it, and between boxes

}  // namespace

// The controls are created in the tab order, which is their reading order;
// each label just before its field, so that its letter moves the focus
// there, and the status line's texts before its buttons.
void MainWindow::BuildControls() {
  for (const std::string_view name : MainWindowTabOrder()) AddControlsOf(name);
  ShowProgress(std::nullopt);
  ::ShowWindow(preview_button_, SW_HIDE);
}

void MainWindow::AddControlsOf(std::string_view name) {
  const auto text = [this](std::string_view component) {
    return WithMnemonic(texts_.Text(kMainWindow, component), mnemonics_);
  };
  constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
  for (int i = 0; i < kJobButtonCount; ++i) {
    if (name == kJobButtons[i].name) job_buttons_[i] = AddChild(window_, L"BUTTON", kButton, kBitBtn1 + i, text(name));
  }
  if (name == "AboutBtn") about_button_ = AddChild(window_, L"BUTTON", kButton, kAboutBtn, text(name));
  if (const int field = NumberFieldIndex(name); field >= 0) {
    labels_[field] = AddChild(window_, L"STATIC", 0, kLabelFirst + field, text(kNumberFields[field].label));
    fields_[field]->Create(window_, kFieldFirst + kFieldIdStep * field);
  }
  for (int box = 0; box < kModeBoxCount; ++box) {
    if (name == kModeBoxes[box].name) {
      mode_boxes_[box] = AddChild(window_, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kModeBoxFirst + box, text(name));
    }
  }
  if (name == "Memo1") {
    const std::vector<std::u16string>& lines = texts_.Lines(kMainWindow, "Memo1");
    std::u16string help;
    for (std::size_t i = 0; i < lines.size(); ++i) help += (i > 0 ? u"\r\n" : u"") + lines[i];
    memo_ = AddChild(window_, L"EDIT",
                       WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                           ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                       kMemo1, help, WS_EX_CLIENTEDGE);
    ::SetWindowSubclass(memo_, MemoProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  if (name == "PreviewBtn") {
    result_label_ = AddChild(window_, L"STATIC", SS_LEFT | SS_NOPREFIX, kResultLabel, u"");
    preview_button_ = AddChild(window_, L"BUTTON", kButton, kPreviewBtn, text(name));
  }
  if (name == "CancelBtn") {
    progress_label_ = AddChild(window_, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kProgressLabel, u"");
    progress_bar_ = AddChild(window_, PROGRESS_CLASSW, PBS_SMOOTH, kProgressBar, u"");
    ::SendMessageW(progress_bar_, PBM_SETRANGE32, 0, 1000);
    cancel_button_ = AddChild(window_, L"BUTTON", kButton, kCancelBtn, text(name));
  }
}

// The help text is read only, so its keys are the window's: Tab and
// Shift+Tab leave it, Esc stops a job (and never closes the window, as a
// multi-line edit field would in a dialog), Return presses the focused
// button. The arrow keys still scroll it.
LRESULT CALLBACK MainWindow::MemoProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                           UINT_PTR, DWORD_PTR main_window) {
  auto* const self = reinterpret_cast<MainWindow*>(main_window);
  switch (message) {
    case WM_GETDLGCODE:
      return ::DefSubclassProc(window, message, w, l) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    case WM_KEYDOWN:
    case WM_CHAR:
      if (w == VK_ESCAPE) {
        if (message == WM_KEYDOWN) self->Command(IDCANCEL, BN_CLICKED);
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, w, l);
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
  CheckLanguageItem(kGerman);
}

void MainWindow::ApplyDpi(int dpi) {
  dpi_ = dpi;
  SetFontOnAll(window_, font_.Reset(CreateWindowFont(dpi)));
  job_images_.Reset(JobButtonImages(dpi));
  for (HWND button : job_buttons_) SetButtonImages(button, job_images_);
  SetButtonImages(about_button_, help_images_.Reset(HelpButtonImages(dpi)));

  PlaceWithClientSize(window_, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi), true,
                      window_);
  Layout();
}

void MainWindow::Layout() {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  const auto place = [&](HWND control, const Place& p) {
    ::MoveWindow(control, s(p.left), s(p.top), s(p.width), s(p.height), TRUE);
  };
  for (int i = 0; i < kJobButtonCount; ++i) place(job_buttons_[i], kJobButtonPlaces[i]);
  place(about_button_, kAboutPlace);
  // Labels and check boxes are as large as their texts.
  const auto fit = [&](HWND control, int left, int top, int extra_width, int height) {
    const SIZE size = TextSize(font_, Wide(TextOf(control)).c_str());
    const int width = size.cx + s(extra_width);
    ::MoveWindow(control, s(left), s(top), width, std::max<int>(size.cy, s(height)), TRUE);
    return width;
  };
  for (int field = 0; field < kNumberFieldCount; ++field) {
    const Place& p = kFieldPlaces[field];
    fields_[field]->Place(s(p.left), s(p.top), s(p.width), s(p.height));
    fit(labels_[field], kLabelPlaces[field].x, kLabelPlaces[field].y, 0, 13);
    // The mode boxes beside it, left to right, their text's middle on the
    // field's.
    int left = s(p.left + p.width + kBoxGap);
    for (const int box : ModeBoxesBeside(field)) {
      const SIZE size = TextSize(font_, Wide(TextOf(mode_boxes_[box])).c_str());
      const int width = size.cx + s(22);
      ::MoveWindow(mode_boxes_[box], left, s(p.top + 1), width, std::max<int>(size.cy, s(19)), TRUE);
      left += width + s(kBoxGap);
    }
  }
  LayoutStatusLine();
}

// Below the help text, the status line: left the result line and the
// preview button beside it; right, while a job runs, its phase, the
// progress bar and the button that stops it. A result line too long for one
// line takes two, and the help text gives up the room.
void MainWindow::LayoutStatusLine() {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  const int width = s(kClientWidth);
  const int button_width = s(84);
  const int button_height = s(21);
  const int text_height = s(14);
  const int result_room = width - s(16) - button_width;
  const SIZE result = TextSize(font_, Wide(TextOf(result_label_)).c_str());
  const int result_lines = result.cx + s(4) > result_room ? 2 : 1;
  const int status_height = s(kStatusHeight) + (result_lines - 1) * text_height;
  const int memo_height = s(kMemoHeight + kStatusHeight) - status_height;
  ::MoveWindow(memo_, 0, s(kPanelHeight), width, memo_height, TRUE);
  const int top = s(kPanelHeight) + memo_height;
  const int button_top = top + s(3);
  const int text_top = top + s(6);
  ::MoveWindow(cancel_button_, width - s(4) - button_width, button_top, button_width, button_height, TRUE);
  const int bar_left = width - s(8) - button_width - s(160);
  ::MoveWindow(progress_bar_, bar_left, top + s(6), s(160), s(14), TRUE);
  ::MoveWindow(progress_label_, bar_left - s(124), text_top, s(120), text_height, TRUE);
  const int result_width = std::min<int>(result.cx + s(4), result_room);
  ::MoveWindow(result_label_, s(6), text_top, result_width, result_lines * text_height, TRUE);
  ::MoveWindow(preview_button_, s(6) + result_width + s(6), button_top, button_width, button_height, TRUE);
}

}  // namespace quillmere::win
