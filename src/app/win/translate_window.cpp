#include "app/win/translate_window.h"

#include <commctrl.h>

#include <string>

#include "app/presenter/window_texts.h"
#include "app/win/win_boxes.h"
#include "app/win/win_dpi.h"
#include "app/win/win_modal.h"
#include "app/win/win_text.h"
#include "i18n/translation_file.h"
#include "i18n/translations.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kClassName[] = L"QuillmereTranslateForm";
constexpr int kClientWidth = 705;
constexpr int kClientHeight = 453;
constexpr int kColumnWidth = 250;
constexpr int kBarHeight = 30;

enum ControlId : int { kBackBtn = 100, kFilterEdit, kFilterBtn, kFixedColCheck, kGrid, kStatus };
// The cancel button's id: Esc presses "Zeile löchen".
constexpr int kDeleteRowBtn = IDCANCEL;

// The heading of a grid column: the language of table column `column`,
// written in English each time the grid is filled.
std::u16string ColumnHeading(int column) {
  static const char16_t* const kLanguages[] = {u"German",  u"English", u"Français", u"Nederlands",
                                               u"Italian", u"Spanish", u"Portuguese"};
  if (column < static_cast<int>(std::size(kLanguages))) return kLanguages[column];
  std::u16string heading = u"language";
  for (const char digit : std::to_string(column)) heading += static_cast<char16_t>(digit);
  return heading;
}

// The search ignores the case of the letters a to z only; every other
// character, umlauts included, must match exactly.
std::u16string WithUpperCaseAToZ(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return text;
}

int TableRowCount() {
  const TranslationTable* const table = ActiveTranslationTable();
  return table != nullptr ? static_cast<int>(table->RowCount()) : 0;
}

std::u16string TableCell(int row, int column) {
  return std::u16string(ActiveTranslationTable()->Cell(static_cast<std::uint32_t>(row), column));
}

}  // namespace

TranslateWindow::TranslateWindow(const ShownTexts& texts)
    : texts_(texts),
      grid_(
          kTranslationColumns,
          [this](int column, int row, const std::u16string& text) {
            StringGrid1SetEditText(column, row, text);
          },
          [this](WPARAM key) { return StringGrid1KeyDown(key); }) {}

TranslateWindow::~TranslateWindow() {
  if (font_ != nullptr) ::DeleteObject(font_);
}

void TranslateWindow::Create(HWND owner) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, kClassName, ObjectProcedure<TranslateWindow>);
  window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName,
                              Wide(texts_.Caption(kTranslateWindow)).c_str(),
                              WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, 0, 0, 100, 100, owner,
                              nullptr, instance, this);
  std::u16string taken;
  const auto add = [&](const wchar_t* kind, DWORD style, int id, std::string_view name,
                       DWORD extended = 0) {
    const std::u16string text =
        name.empty() ? std::u16string() : WithMnemonic(texts_.Text(kTranslateWindow, name), taken);
    return ::CreateWindowExW(extended, kind, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0,
                             0, 10, 10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             instance, nullptr);
  };
  back_button_ = add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kBackBtn, "BackBtn");
  filter_edit_ = add(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, kFilterEdit, "", WS_EX_CLIENTEDGE);
  filter_button_ = add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kFilterBtn, "FilterBtn");
  delete_button_ = add(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kDeleteRowBtn, "DeleteRowBtn");
  fixed_check_ = add(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, kFixedColCheck, "FixedColCheck");
  grid_.Create(window_, kGrid);
  status_bar_ = add(STATUSCLASSNAMEW, 0, kStatus, "");
  ApplyDpi();
  PlaceWithClientSize(window_, Scaled(kClientWidth, dpi_), Scaled(kClientHeight, dpi_), false,
                      owner);
}

void TranslateWindow::ApplyDpi() {
  dpi_ = DpiOf(window_);
  if (font_ != nullptr) ::DeleteObject(font_);
  font_ = CreateWindowFont(dpi_);
  SetFontOnAll(window_, font_);
  const SIZE letter = TextSize(font_, L"Ag");
  grid_.SetMetrics(font_, Scaled(kColumnWidth, dpi_), letter.cy + Scaled(8, dpi_));
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
  const int top = s(kBarHeight + 4);
  ::MoveWindow(filter_edit_, left, top, s(200), button_height, TRUE);
  left += s(206);
  for (HWND button : {filter_button_, delete_button_}) {
    const int width = std::max(s(75), width_of(button, 20));
    ::MoveWindow(button, left, top, width, button_height, TRUE);
    left += width + s(6);
  }
  ::MoveWindow(fixed_check_, left, top, width_of(fixed_check_, 24), button_height, TRUE);
  const int grid_top = s(2 * kBarHeight + 4);
  ::MoveWindow(grid_.handle(), 0, grid_top, client.right,
               std::max(0, static_cast<int>(client.bottom) - grid_top - status_height), TRUE);
}

void TranslateWindow::ShowModal(HWND owner) {
  if (window_ == nullptr) Create(owner);
  FillStringGrid();
  ::SetFocus(grid_.handle());
  RunModal(window_, owner);
}

void TranslateWindow::FillStringGrid() {
  const int rows = TableRowCount();
  grid_.SetRowCount(rows + 1);
  for (int column = 0; column < kTranslationColumns; ++column) {
    grid_.SetCell(column, 0, ColumnHeading(column));
  }
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < kTranslationColumns; ++column) {
      grid_.SetCell(column, row + 1, TableCell(row, column));
    }
  }
}

void TranslateWindow::StringGrid1SetEditText(int column, int row, const std::u16string& text) {
  if (row >= 1 && row <= TableRowCount()) {
    ReplaceTranslationCell(static_cast<std::uint32_t>(row - 1), column, text);
  }
  SaveTranslations();
}

bool TranslateWindow::StringGrid1KeyDown(WPARAM key) {
  if (key != VK_DELETE || grid_.IsEditing()) return false;
  DeleteRowBtnClick();
  return true;
}

void TranslateWindow::DeleteRowBtnClick() {
  const int row = grid_.Row();
  if (row >= 1 && row <= TableRowCount()) {
    const Answer answer = AskYesNoCancel(window_, TextOf(window_), TableCell(row - 1, 0));
    if (answer == Answer::kYes) DeleteTranslationRow(static_cast<std::uint32_t>(row - 1));
  }
  SaveTranslations();
  FillStringGrid();
  if (row <= grid_.RowCount() - 1) grid_.SetRow(row);
}

void TranslateWindow::FilterBtnClick() {
  const std::u16string wanted = WithUpperCaseAToZ(TextOf(filter_edit_));
  if (wanted.empty()) return;  // an empty search text matches no cell
  for (int row = 0; row < grid_.RowCount(); ++row) {
    for (int column = 0; column < grid_.ColCount(); ++column) {
      if (WithUpperCaseAToZ(grid_.Cell(column, row)).find(wanted) == std::u16string::npos) continue;
      grid_.SelectCell(column, row);
      grid_.ScrollToTopLeft(column, row);
      ::UpdateWindow(grid_.handle());
      if (!AskYesNo(window_, TextOf(window_), TranslateText(kSearchOnQuestion))) return;
    }
  }
}

void TranslateWindow::FixedColCheckClick() {
  const bool ticked = ::SendMessageW(fixed_check_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  grid_.SetFixedCols(ticked ? kFixedColumnsWhenTicked : 0);
}

LRESULT TranslateWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kBackBtn:
          ::ShowWindow(window_, SW_HIDE);
          break;
        case kFilterBtn:
          FilterBtnClick();
          break;
        case kDeleteRowBtn:
          DeleteRowBtnClick();
          break;
        case kFixedColCheck:
          if (HIWORD(w) == BN_CLICKED) FixedColCheckClick();
          break;
        default:
          break;
      }
      return 0;
    case WM_SIZE:
      Layout();
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
