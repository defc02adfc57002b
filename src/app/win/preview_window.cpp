#include "app/win/preview_window.h"

#include <string>

#include "app/presenter/window_texts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_text.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kPreviewWindowClass[] = L"QuillmerePreviewForm";
constexpr int kPreviewBarHeight = 34;
constexpr int kLegendHeight = 28;

enum PreviewControlId : int { kVorherBtn = 100, kNachherBtn, kPunkteCheck, kEinpassenBtn, kHinweis, kCanvas };

}  // namespace

PreviewWindow::PreviewWindow(const ShownTexts& texts, MessageSink& messages)
    : texts_(texts), presenter_(*this, texts, messages) {}

void PreviewWindow::Create() {
  window_ = CreateObjectWindow(*this, kPreviewWindowClass, WS_EX_CONTROLPARENT, texts_.Caption(kPreviewWindow),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, owner_);
  std::u16string taken;
  const auto button = [&](DWORD style, int id, std::string_view name) {
    return AddChild(window_, L"BUTTON", style, id, WithMnemonic(texts_.Text(kPreviewWindow, name), taken));
  };
  before_button_ = button(WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE, kVorherBtn, "VorherBtn");
  after_button_ = button(BS_AUTORADIOBUTTON | BS_PUSHLIKE, kNachherBtn, "NachherBtn");
  marks_check_ = button(WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, kPunkteCheck, "PunkteCheck");
  fit_button_ = button(WS_TABSTOP | BS_PUSHBUTTON, kEinpassenBtn, "EinpassenBtn");
  hint_label_ = AddChild(window_, L"STATIC", SS_NOPREFIX | SS_RIGHT, kHinweis,
                         texts_.Text(kPreviewWindow, "HinweisLabel"));
  ::SendMessageW(marks_check_, BM_SETCHECK, BST_CHECKED, 0);
  canvas_.Create(window_, kCanvas);
  ApplyDpi();
  PlaceOnScreen(window_, Scaled(900, dpi_), Scaled(700, dpi_), owner_);
}

void PreviewWindow::ApplyDpi() {
  dpi_ = DpiOf(window_);
  SetFontOnAll(window_, font_.Reset(CreateWindowFont(dpi_)));
  Layout();
}

void PreviewWindow::Layout() {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  RECT client{};
  ::GetClientRect(window_, &client);
  const auto width_of = [&](HWND control, int extra) {
    return static_cast<int>(TextSize(font_, Wide(TextOf(control)).c_str()).cx) + s(extra);
  };
  int left = s(8);
  const int top = s(6);
  const int height = s(23);
  for (HWND button : {before_button_, after_button_}) {
    const int width = std::max(s(75), width_of(button, 16));
    ::MoveWindow(button, left, top, width, height, TRUE);
    left += width + s(6);
  }
  left += s(12);
  const int check_width = width_of(marks_check_, 24);
  ::MoveWindow(marks_check_, left, top, check_width, height, TRUE);
  left += check_width + s(12);
  const int fit_width = std::max(s(75), width_of(fit_button_, 16));
  ::MoveWindow(fit_button_, left, top, fit_width, height, TRUE);
  left += fit_width + s(12);
  // The hint takes as many lines as the room beside the buttons needs, and
  // the bar grows with it, rather than cutting it short.
  const int hint_width = std::max(0, static_cast<int>(client.right) - left - s(8));
  const int hint_height = HintHeight(hint_width);
  const int bar_height = std::max(s(kPreviewBarHeight), hint_height + s(12));
  ::MoveWindow(hint_label_, left, (bar_height - hint_height) / 2, hint_width, hint_height, TRUE);
  const int canvas_top = bar_height;
  const int canvas_height = std::max(0, static_cast<int>(client.bottom) - canvas_top - s(kLegendHeight));
  ::MoveWindow(canvas_.handle(), 0, canvas_top, client.right, canvas_height, TRUE);
  const RECT legend{0, canvas_top + canvas_height, client.right, client.bottom};
  ::InvalidateRect(window_, &legend, TRUE);
}

int PreviewWindow::HintHeight(int hint_width) const {
  const std::wstring hint = Wide(TextOf(hint_label_));
  RECT area{0, 0, hint_width, 0};
  const HDC dc = ::GetDC(window_);
  const HGDIOBJ old_font = ::SelectObject(dc, font_);
  ::DrawTextW(dc, hint.c_str(), static_cast<int>(hint.size()), &area,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ::SelectObject(dc, old_font);
  ::ReleaseDC(window_, dc);
  return area.bottom;
}

bool PreviewWindow::ShowJobResult(const JobPreviewRequest& request) {
  if (window_ == nullptr) Create();
  if (!presenter_.LoadJobResult(request)) return false;
  ::ShowWindow(window_, SW_SHOW);
  ::SetForegroundWindow(window_);
  return true;
}

void PreviewWindow::ShowJobControls(bool job, bool arc_job) {
  ::ShowWindow(before_button_, job ? SW_SHOW : SW_HIDE);
  ::ShowWindow(after_button_, job ? SW_SHOW : SW_HIDE);
  ::SendMessageW(before_button_, BM_SETCHECK, BST_UNCHECKED, 0);
  ::SendMessageW(after_button_, BM_SETCHECK, BST_CHECKED, 0);
  ::ShowWindow(marks_check_, arc_job ? SW_SHOW : SW_HIDE);
}

void PreviewWindow::ShowLegend(const std::vector<LegendEntry>& legend, const std::u16string& files) {
  legend_ = legend;
  files_ = files;
  ::InvalidateRect(window_, nullptr, TRUE);
}

void PreviewWindow::ShowBusy(bool busy) {
  if (busy) {
    cursor_before_busy_ = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  } else {
    ::SetCursor(cursor_before_busy_);
  }
}

// Swatches and their texts from the left, the files on the right, cut
// short with an ellipsis where they would reach the legend.
void PreviewWindow::PaintLegend(HDC dc) {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  RECT client{};
  ::GetClientRect(window_, &client);
  const int top = client.bottom - s(kLegendHeight);
  const HGDIOBJ old_font = ::SelectObject(dc, font_);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  int left = s(8);
  const int swatch_width = s(static_cast<int>(kSwatchDesignSize.width));
  const int swatch_height = s(static_cast<int>(kSwatchDesignSize.height));
  const int swatch_top = top + (s(kLegendHeight) - swatch_height) / 2;
  for (const LegendEntry& entry : legend_) {
    GdiPreviewPainter painter(dc, {left, swatch_top, left + swatch_width, swatch_top + swatch_height}, dpi_);
    PaintLegendSwatch(entry.swatch, {static_cast<double>(swatch_width), static_cast<double>(swatch_height)},
                      static_cast<double>(dpi_) / kDesignDpi, painter);
    left += swatch_width + s(6);
    const std::wstring shown = Wide(entry.text);
    RECT area{left, top, client.right, client.bottom};
    ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &area,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    left += TextSize(font_, shown.c_str()).cx + s(20);
  }
  const std::wstring files = Wide(files_);
  RECT area{left, top, client.right - s(8), client.bottom};
  ::DrawTextW(dc, files.c_str(), static_cast<int>(files.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  ::SelectObject(dc, old_font);
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kVorherBtn:
          presenter_.ShowOutput(false);
          break;
        case kNachherBtn:
          presenter_.ShowOutput(true);
          break;
        case kPunkteCheck:
          presenter_.ShowRemovedVertices(::SendMessageW(marks_check_, BM_GETCHECK, 0, 0) == BST_CHECKED);
          break;
        case kEinpassenBtn:
          presenter_.FitView();
          break;
        case IDCANCEL:
          ::ShowWindow(window_, SW_HIDE);
          break;
        default:
          break;
      }
      return 0;
    case WM_PAINT:
      PaintLegend(PaintScope(window_).dc());
      return 0;
    case WM_MOUSEWHEEL:
      // The wheel zooms the drawing wherever the focus is.
      return ::SendMessageW(canvas_.handle(), message, w, l);
    case WM_SIZE:
      Layout();
      return 0;
    case WM_NEXTDLGCTL:
      MoveDialogFocus(window_, w, l);
      return 0;
    case WM_DPICHANGED:
      TakeSuggestedFrame(window_, l);
      ApplyDpi();
      return 0;
    case WM_CLOSE:
      ::ShowWindow(window_, SW_HIDE);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace quillmere::win
