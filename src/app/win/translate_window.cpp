#include "app/win/translate_window.h"

#include <commctrl.h>

#include <string>

#include "app/win/win_boxes.h"
#include "app/win/win_dpi.h"
#include "app/win/win_modal.h"
#include "app/win/win_text.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kTranslateWindowClass[] = L"QuillmereTranslateForm";
constexpr int kTranslateBarHeight = 30;

enum TranslateControlId : int { kBackBtn = 100, kFilterEdit, kFilterBtn, kFixedColCheck, kGrid, kStatus };
// The cancel button's id: Esc presses "Zeile löchen".
constexpr int kDeleteRowBtn = IDCANCEL;

}  // namespace

TranslateWindow::TranslateWindow(const ShownTexts& texts)
    : texts_(texts),
      grid_(
          kTranslationColumns,
          [this](int column, int row, const std::u16string& text) {
            editor_.CellEdited(column, row, text);
          },
          [this](WPARAM key) { return key == VK_DELETE && editor_.DeleteKey(); }) {}

void TranslateWindow::Create(HWND owner) {
  window_ = CreateObjectWindow(*this, kTranslateWindowClass, WS_EX_CONTROLPARENT, texts_.Caption(kTranslateWindow),
                               WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, owner);
  std::u16string taken;
  const auto button = [&](DWORD style, int id, std::string_view name) {
    return AddChild(window_, L"BUTTON", WS_TABSTOP | style, id,
                    WithMnemonic(texts_.Text(kTranslateWindow, name), taken));
  };
  back_button_ = button(BS_PUSHBUTTON, kBackBtn, "BackBtn");
  filter_edit_ = AddChild(window_, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, kFilterEdit, {}, WS_EX_CLIENTEDGE);
  filter_button_ = button(BS_PUSHBUTTON, kFilterBtn, "FilterBtn");
  delete_button_ = button(BS_PUSHBUTTON, kDeleteRowBtn, "DeleteRowBtn");
  fixed_check_ = button(BS_AUTOCHECKBOX, kFixedColCheck, "FixedColCheck");
  grid_.Create(window_, kGrid);
  questions_.SetOwner(window_);
  status_bar_ = AddChild(window_, STATUSCLASSNAMEW, 0, kStatus);
  ApplyDpi();
  PlaceWithClientSize(window_, Scaled(TranslationEditor::kWindowWidth, dpi_),
                      Scaled(TranslationEditor::kWindowHeight, dpi_), false, owner);
}

void TranslateWindow::ApplyDpi() {
  dpi_ = DpiOf(window_);
  SetFontOnAll(window_, font_.Reset(CreateWindowFont(dpi_)));
  const SIZE letter = TextSize(font_, L"Ag");
  grid_.SetMetrics(font_, Scaled(TranslationEditor::kColumnWidth, dpi_),
                   letter.cy + Scaled(TranslationEditor::kRowPadding, dpi_));
  Layout();
}

void TranslateWindow::Layout() {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  RECT client{};
  ::GetClientRect(window_, &client);
  ::SendMessageW(status_bar_, WM_SIZE, 0, 0);
  RECT status{};
  ::GetWindowRect(status_bar_, &status);
  const int status_height = status.bottom - status.top;
  const int button_height = s(23);
  const auto width_of = [&](HWND control, int extra) {
    return static_cast<int>(TextSize(font_, Wide(TextOf(control)).c_str()).cx) + s(extra);
  };
  ::MoveWindow(back_button_, s(6), s(4), std::max(s(75), width_of(back_button_, 20)), button_height, TRUE);
  int left = s(6);
  const int top = s(kTranslateBarHeight + 4);
  ::MoveWindow(filter_edit_, left, top, s(200), button_height, TRUE);
  left += s(206);
  for (HWND button : {filter_button_, delete_button_}) {
    const int width = std::max(s(75), width_of(button, 20));
    ::MoveWindow(button, left, top, width, button_height, TRUE);
    left += width + s(6);
  }
  ::MoveWindow(fixed_check_, left, top, width_of(fixed_check_, 24), button_height, TRUE);
  const int grid_top = s(2 * kTranslateBarHeight + 4);
  ::MoveWindow(grid_.handle(), 0, grid_top, client.right,
               std::max(0, static_cast<int>(client.bottom) - grid_top - status_height), TRUE);
}

void TranslateWindow::ShowModal(HWND owner) {
  if (window_ == nullptr) Create(owner);
  editor_.Fill();
  ::SetFocus(grid_.handle());
  RunModal(window_, owner);
}

LRESULT TranslateWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kBackBtn:
          ::ShowWindow(window_, SW_HIDE);
          break;
        case kFilterBtn:
          editor_.Search(TextOf(filter_edit_));
          break;
        case kDeleteRowBtn:
          editor_.DeleteRow();
          break;
        case kFixedColCheck:
          if (HIWORD(w) == BN_CLICKED) {
            editor_.FixedColumnsTicked(::SendMessageW(fixed_check_, BM_GETCHECK, 0, 0) == BST_CHECKED);
          }
          break;
        default:
          break;
      }
      return 0;
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
      // Closing is always allowed.
      ::ShowWindow(window_, SW_HIDE);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace quillmere::win
