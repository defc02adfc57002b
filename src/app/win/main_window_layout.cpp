#include <algorithm>
#include <string_view>

#include "app/win/main_window.h"
#include "app/win/main_window_parts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_pictures.h"
#include "app/win/win_text.h"
#include "app/presenter/window_texts.h"
#include "i18n/language.h"

// The controls of the main window: their kinds, order, texts and places.

namespace quillmere::win {

using namespace main_window;

namespace {

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

}  // namespace

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

  PlaceWithClientSize(window_, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi), true,
                      window_);
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
  LayoutStatusLine(s(kStatusTop));
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

}  // namespace quillmere::win
