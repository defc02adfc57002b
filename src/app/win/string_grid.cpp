#include "app/win/string_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/win/win_text.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kStringGridClass[] = L"QuillmereStringGrid";
constexpr int kCellPadding = 4;

// Fixed cells a shade darker than the button face, which some themes make
// almost white.
COLORREF FixedCellColour() {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  return RGB(GetRValue(face) * 15 / 16, GetGValue(face) * 15 / 16, GetBValue(face) * 15 / 16);
}

}  // namespace

StringGrid::StringGrid(int columns, EditTextChanged edit_text_changed, KeyDown key_down)
    : columns_(columns),
      edit_text_changed_(std::move(edit_text_changed)),
      key_down_(std::move(key_down)),
      cells_(1, std::vector<std::u16string>(static_cast<std::size_t>(columns))) {}

StringGrid::~StringGrid() = default;

void StringGrid::Create(HWND parent, int id) {
  // Painted whole: no ground of its own.
  window_ = CreateObjectWindow(*this, kStringGridClass, WS_EX_CLIENTEDGE, {},
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN,
                               parent, id, {CS_DBLCLKS, IDC_ARROW, nullptr});
}

void StringGrid::SetMetrics(HFONT font, int column_width, int row_height) {
  font_ = font;
  column_width_ = column_width;
  row_height_ = row_height;
  if (editor_ != nullptr) ::SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  UpdateScrollBars();
  ::InvalidateRect(window_, nullptr, FALSE);
}

void StringGrid::SetRowCount(int rows) {
  if (editor_ != nullptr) EndEdit();
  cells_.resize(static_cast<std::size_t>(std::max(1, rows)),
                std::vector<std::u16string>(static_cast<std::size_t>(columns_)));
  if (current_row_ >= RowCount()) current_row_ = RowCount() - 1;
  if (current_row_ == 0 && RowCount() > 1) current_row_ = 1;
  anchor_col_ = current_col_;
  anchor_row_ = current_row_;
  top_row_ = std::clamp(top_row_, 1, std::max(1, RowCount() - 1));
  UpdateScrollBars();
  ::InvalidateRect(window_, nullptr, FALSE);
}

void StringGrid::SetCell(int column, int row, const std::u16string& text) {
  cells_[row][column] = text;
  const RECT cell = CellRect(column, row);
  ::InvalidateRect(window_, &cell, FALSE);
}

void StringGrid::SetRow(int row) {
  if (row >= 1 && row < RowCount()) MoveCurrent(current_col_, row);
}

void StringGrid::SelectCell(int column, int row) {
  if (row >= 1 && row < RowCount() && column >= fixed_cols_) MoveCurrent(column, row);
}

void StringGrid::ScrollToTopLeft(int column, int row) {
  top_row_ = std::clamp(row, 1, std::max(1, RowCount() - VisibleRows()));
  if (column >= fixed_cols_) {
    left_col_ = std::clamp(column, fixed_cols_, std::max(fixed_cols_, columns_ - VisibleCols()));
  }
  UpdateScrollBars();
  ::InvalidateRect(window_, nullptr, FALSE);
  ::UpdateWindow(window_);  // shown at once, before a question about it
}

void StringGrid::SetFixedCols(int count) {
  if (editor_ != nullptr) EndEdit();
  fixed_cols_ = count;
  left_col_ = std::max(left_col_, fixed_cols_);
  if (current_col_ < fixed_cols_) current_col_ = fixed_cols_;
  anchor_col_ = current_col_;
  anchor_row_ = current_row_;
  UpdateScrollBars();
  ::InvalidateRect(window_, nullptr, FALSE);
}

int StringGrid::VisibleRows() const {
  RECT client{};
  ::GetClientRect(window_, &client);
  return std::max<int>(1, (client.bottom - row_height_) / row_height_);
}

int StringGrid::VisibleCols() const {
  RECT client{};
  ::GetClientRect(window_, &client);
  return std::max<int>(1, (client.right - fixed_cols_ * column_width_) / column_width_);
}

// Fixed columns first, then the scrolling ones from left_col_; the heading
// row on top, then the rows from top_row_. Cells scrolled away lie outside.
RECT StringGrid::CellRect(int column, int row) const {
  const int x = column < fixed_cols_ ? column * column_width_
                                     : (fixed_cols_ + column - left_col_) * column_width_;
  const int y = row == 0 ? 0 : (row - top_row_ + 1) * row_height_;
  if ((column >= fixed_cols_ && column < left_col_) || (row > 0 && row < top_row_)) {
    return RECT{-column_width_ - 1, -row_height_ - 1, -1, -1};
  }
  return RECT{x, y, x + column_width_, y + row_height_};
}

bool StringGrid::CellAt(POINT point, int& column, int& row) const {
  const int slot = point.x / column_width_;
  column = slot < fixed_cols_ ? slot : left_col_ + slot - fixed_cols_;
  row = point.y < row_height_ ? 0 : top_row_ + point.y / row_height_ - 1;
  return point.x >= 0 && point.y >= 0 && column < columns_ && row < RowCount();
}

void StringGrid::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(window_, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ old_font = ::SelectObject(dc, font_);
  const HPEN line = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  const HBRUSH fixed_ground = ::CreateSolidBrush(FixedCellColour());
  const HGDIOBJ old_pen = ::SelectObject(dc, line);
  ::SetBkMode(dc, TRANSPARENT);
  const int last_row = std::min(RowCount() - 1, top_row_ + VisibleRows());
  for (int row = 0; row <= last_row; ++row) {
    if (row > 0 && row < top_row_) continue;
    for (int column = 0; column < columns_; ++column) {
      if (column >= fixed_cols_ && column < left_col_) continue;
      const RECT cell = CellRect(column, row);
      if (cell.left > client.right) continue;
      const bool fixed = row == 0 || column < fixed_cols_;
      const bool current = current_row_ > 0 && Selected(column, row) && !fixed;
      const HBRUSH ground = current ? ::GetSysColorBrush(COLOR_HIGHLIGHT)
                                    : (fixed ? fixed_ground : ::GetSysColorBrush(COLOR_WINDOW));
      ::FillRect(dc, &cell, ground);
      ::SetTextColor(dc, ::GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      RECT text = cell;
      text.left += kCellPadding;
      text.right -= kCellPadding;
      const std::wstring shown = Wide(cells_[row][column]);
      ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      ::MoveToEx(dc, cell.right - 1, cell.top, nullptr);
      ::LineTo(dc, cell.right - 1, cell.bottom - 1);
      ::LineTo(dc, cell.left - 1, cell.bottom - 1);
    }
  }
  ::SelectObject(dc, old_pen);
  ::SelectObject(dc, old_font);
  ::DeleteObject(line);
  ::DeleteObject(fixed_ground);
}

void StringGrid::UpdateScrollBars() {
  if (window_ == nullptr) return;
  SCROLLINFO rows{};
  rows.cbSize = sizeof(rows);
  rows.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  rows.nMin = 1;
  rows.nMax = std::max(1, RowCount() - 1);
  rows.nPage = static_cast<UINT>(VisibleRows());
  rows.nPos = top_row_;
  ::SetScrollInfo(window_, SB_VERT, &rows, TRUE);
  SCROLLINFO cols{};
  cols.cbSize = sizeof(cols);
  cols.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  cols.nMin = fixed_cols_;
  cols.nMax = columns_ - 1;
  cols.nPage = static_cast<UINT>(VisibleCols());
  cols.nPos = left_col_;
  ::SetScrollInfo(window_, SB_HORZ, &cols, TRUE);
}

void StringGrid::Scroll(int bar, WPARAM request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ::GetScrollInfo(window_, bar, &info);
  int position = info.nPos;
  switch (LOWORD(request)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: break;
  }
  const int highest = std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1);
  position = std::clamp(position, info.nMin, highest);
  if (editor_ != nullptr) EndEdit();
  if (bar == SB_VERT) top_row_ = position; else left_col_ = position;
  UpdateScrollBars();
  ::InvalidateRect(window_, nullptr, FALSE);
}

// Makes a cell current and scrolls it into view. With Shift held the
// selection reaches from where it began to the new current cell; otherwise
// the current cell alone is selected.
void StringGrid::MoveCurrent(int column, int row) {
  if (editor_ != nullptr) EndEdit();
  current_col_ = std::clamp(column, fixed_cols_, columns_ - 1);
  current_row_ = std::clamp(row, RowCount() > 1 ? 1 : 0, RowCount() - 1);
  if ((::GetKeyState(VK_SHIFT) & 0x8000) == 0) {
    anchor_col_ = current_col_;
    anchor_row_ = current_row_;
  }
  ShowCurrent();
}

bool StringGrid::Selected(int column, int row) const {
  return row >= std::min(anchor_row_, current_row_) && row <= std::max(anchor_row_, current_row_) &&
         column >= std::min(anchor_col_, current_col_) && column <= std::max(anchor_col_, current_col_);
}

void StringGrid::ShowCurrent() {
  if (current_row_ > 0 && current_row_ < top_row_) top_row_ = current_row_;
  if (current_row_ >= top_row_ + VisibleRows()) top_row_ = current_row_ - VisibleRows() + 1;
  if (current_col_ < left_col_) left_col_ = current_col_;
  if (current_col_ >= left_col_ + VisibleCols()) left_col_ = current_col_ - VisibleCols() + 1;
  UpdateScrollBars();
  ::InvalidateRect(window_, nullptr, FALSE);
}

void StringGrid::BeginEdit(const std::u16string* typed) {
  if (current_row_ < 1 || current_col_ < fixed_cols_) return;
  edit_col_ = current_col_;
  edit_row_ = current_row_;
  const RECT cell = CellRect(edit_col_, edit_row_);
  const std::u16string& start = typed != nullptr ? *typed : cells_[edit_row_][edit_col_];
  editor_ = ::CreateWindowExW(0, L"EDIT", Wide(start).c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              cell.left + 1, cell.top + 1, cell.right - cell.left - 2,
                              cell.bottom - cell.top - 2, window_, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  ::SetWindowSubclass(editor_, EditorProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  const int length = ::GetWindowTextLengthW(editor_);
  ::SendMessageW(editor_, EM_SETSEL, typed != nullptr ? length : 0, length);
  ::SetFocus(editor_);
  if (typed != nullptr) {
    cells_[edit_row_][edit_col_] = *typed;
    edit_text_changed_(edit_col_, edit_row_, *typed);
  }
}

void StringGrid::EndEdit() {
  const HWND editor = editor_;
  editor_ = nullptr;
  const std::u16string text = TextOf(editor);
  cells_[edit_row_][edit_col_] = text;
  const bool had_focus = ::GetFocus() == editor;
  ::DestroyWindow(editor);
  edit_text_changed_(edit_col_, edit_row_, text);
  if (had_focus) ::SetFocus(window_);
  ::InvalidateRect(window_, nullptr, FALSE);
}

void StringGrid::KeyPressed(WPARAM key) {
  if (key_down_ && key_down_(key)) return;
  switch (key) {
    case VK_UP: MoveCurrent(current_col_, current_row_ - 1); break;
    case VK_DOWN: MoveCurrent(current_col_, current_row_ + 1); break;
    case VK_LEFT: MoveCurrent(current_col_ - 1, current_row_); break;
    case VK_RIGHT: MoveCurrent(current_col_ + 1, current_row_); break;
    case VK_PRIOR: MoveCurrent(current_col_, current_row_ - VisibleRows()); break;
    case VK_NEXT: MoveCurrent(current_col_, current_row_ + VisibleRows()); break;
    case VK_HOME: MoveCurrent(fixed_cols_, current_row_); break;
    case VK_END: MoveCurrent(columns_ - 1, current_row_); break;
    case VK_F2:
    case VK_RETURN: BeginEdit(nullptr); break;
    default: break;
  }
}

LRESULT StringGrid::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT:
      Paint(PaintScope(window_).dc());
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      KeyPressed(w);
      return 0;
    case WM_CHAR:
      if (w >= L' ') {
        const std::u16string typed(1, static_cast<char16_t>(w));
        BeginEdit(&typed);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      ::SetFocus(window_);
      int column = 0;
      int row = 0;
      if (CellAt(POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}, column, row) && row > 0 &&
          column >= fixed_cols_) {
        MoveCurrent(column, row);
        if (message == WM_LBUTTONDBLCLK) BeginEdit(nullptr);
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(w) > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, w);
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, w);
      return 0;
    case WM_SIZE:
      UpdateScrollBars();
      return 0;
    case WM_COMMAND:
      // The editor lost the focus: the editing ends once its handler is done.
      if (HIWORD(w) == 0xFFFF) {
        if (editor_ != nullptr && reinterpret_cast<HWND>(l) == editor_) EndEdit();
        return 0;
      }
      if (editor_ != nullptr && reinterpret_cast<HWND>(l) == editor_ && HIWORD(w) == EN_CHANGE) {
        const std::u16string text = TextOf(editor_);
        cells_[edit_row_][edit_col_] = text;
        edit_text_changed_(edit_col_, edit_row_, text);
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

LRESULT CALLBACK StringGrid::EditorProcedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                             UINT_PTR, DWORD_PTR grid_value) {
  auto* const grid = reinterpret_cast<StringGrid*>(grid_value);
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (w == VK_RETURN || w == VK_ESCAPE || w == VK_TAB) {
        grid->EndEdit();
        return 0;
      }
      break;
    case WM_CHAR:
      if (w == VK_RETURN || w == VK_ESCAPE || w == VK_TAB) return 0;
      break;
    case WM_KILLFOCUS:
      if (grid->editor_ == window) {
        const LRESULT result = ::DefSubclassProc(window, message, w, l);
        ::PostMessageW(grid->window_, WM_COMMAND, MAKEWPARAM(0, 0xFFFF), reinterpret_cast<LPARAM>(window));
        return result;
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, w, l);
}

}  // namespace quillmere::win
