#include "app/win/about_window.h"

#include <cmath>

#include "app/presenter/window_texts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_modal.h"
#include "app/win/win_text.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kClassName[] = L"QuillmereAboutBox";
constexpr int kClientWidth = 298;
constexpr int kClientHeight = 178;
constexpr int kPictureSize = 64;
constexpr int kPictureId = 10;

// The program's picture: a curve drawn as short straight segments over the
// arc that replaces them.
void PaintPicture(HDC dc, const RECT& area) {
  const int size = area.right - area.left;
  const auto at = [&](double design) { return static_cast<int>(std::lround(design * size / kPictureSize)); };
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const HPEN frame = ::CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
  const HGDIOBJ old_pen = ::SelectObject(dc, frame);
  const HGDIOBJ old_brush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
  // A quarter of the circle around (56, 56) with radius 48 shows.
  POINT arc[33];
  POINT segments[7];
  for (int i = 0; i <= 32; ++i) {
    const double angle = M_PI / 2 + (M_PI / 2) * i / 32;
    arc[i] = {area.left + at(56 + 48 * std::cos(angle)), area.top + at(56 - 48 * std::sin(angle))};
  }
  for (int i = 0; i <= 6; ++i) segments[i] = arc[i * 32 / 6];
  // GDI draws without smoothing: the arc a little wider, so that it shows on
  // both sides of the segments.
  const HPEN arc_pen = ::CreatePen(PS_SOLID, std::max(1, at(4)), RGB(0x00, 0x00, 0xC0));
  ::SelectObject(dc, arc_pen);
  ::Polyline(dc, arc, 33);
  const HPEN segment_pen = ::CreatePen(PS_SOLID, std::max(1, at(1)), RGB(0x00, 0x80, 0x00));
  ::SelectObject(dc, segment_pen);
  ::Polyline(dc, segments, 7);
  const HBRUSH vertex_brush = ::CreateSolidBrush(RGB(0x00, 0x80, 0x00));
  ::SelectObject(dc, vertex_brush);
  const int radius = std::max(1, at(2));
  for (const POINT& vertex : segments) {
    ::Ellipse(dc, vertex.x - radius, vertex.y - radius, vertex.x + radius + 1, vertex.y + radius + 1);
  }
  ::SelectObject(dc, old_pen);
  ::SelectObject(dc, old_brush);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(frame), static_cast<HGDIOBJ>(arc_pen),
                         static_cast<HGDIOBJ>(segment_pen), static_cast<HGDIOBJ>(vertex_brush)}) {
    ::DeleteObject(object);
  }
}

int CurrentYear() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now.wYear;
}

}  // namespace

AboutWindow::~AboutWindow() {
  if (font_ != nullptr) ::DeleteObject(font_);
  if (title_font_ != nullptr) ::DeleteObject(title_font_);
}

void AboutWindow::Create(HWND owner) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, kClassName, ObjectProcedure<AboutWindow>);
  window_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName,
                              Wide(texts_.Caption(kAboutWindow)).c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, owner, nullptr,
                              instance, this);
  const auto add = [&](const wchar_t* kind, DWORD style, int id, std::u16string_view text) {
    return ::CreateWindowExW(0, kind, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                             10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             instance, nullptr);
  };
  picture_ = add(L"STATIC", SS_OWNERDRAW, kPictureId, u"");
  name_ = add(L"STATIC", SS_NOPREFIX, 11, texts_.Text(kAboutWindow, "ProductName"));
  version_ = add(L"STATIC", SS_NOPREFIX, 12, texts_.Text(kAboutWindow, "Version"));
  copyright_ = add(L"STATIC", SS_NOPREFIX, 13, texts_.Text(kAboutWindow, "Copyright"));
  comments_ = add(L"STATIC", SS_NOPREFIX, 14, texts_.Text(kAboutWindow, "Comments"));
  ok_ = add(L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, texts_.Text(kAboutWindow, "OKButton"));
  Layout();
}

void AboutWindow::Layout() {
  dpi_ = DpiOf(window_);
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  if (font_ != nullptr) ::DeleteObject(font_);
  if (title_font_ != nullptr) ::DeleteObject(title_font_);
  font_ = CreateWindowFont(dpi_);
  title_font_ = CreateWindowFont(dpi_, 12, true);
  SetFontOnAll(window_, font_);
  ::SendMessageW(name_, WM_SETFONT, reinterpret_cast<WPARAM>(title_font_), TRUE);
  ::MoveWindow(picture_, s(16), s(16), s(kPictureSize), s(kPictureSize), TRUE);
  ::MoveWindow(name_, s(96), s(16), s(190), s(22), TRUE);
  ::MoveWindow(version_, s(96), s(44), s(190), s(14), TRUE);
  ::MoveWindow(copyright_, s(96), s(64), s(190), s(14), TRUE);
  ::MoveWindow(comments_, s(16), s(96), s(266), s(32), TRUE);
  ::MoveWindow(ok_, s(111), s(140), s(75), s(25), TRUE);
  PlaceWithClientSize(window_, s(kClientWidth), s(kClientHeight), false,
                      ::GetWindow(window_, GW_OWNER));
}

void AboutWindow::ShowModal(HWND owner) {
  if (window_ == nullptr) Create(owner);
  const std::u16string copyright = TextOf(copyright_);
  if (copyright.find(u"XXXX") != std::u16string::npos) {
    SetText(copyright_, WithYear(copyright, CurrentYear()));
  }
  ::SetFocus(ok_);
  RunModal(window_, owner);
}

LRESULT AboutWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) ::ShowWindow(window_, SW_HIDE);
      return 0;
    case WM_CLOSE:
      ::ShowWindow(window_, SW_HIDE);
      return 0;
    case WM_DRAWITEM: {
      const auto* const item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item->CtlID == kPictureId) PaintPicture(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_DPICHANGED:
      Layout();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace quillmere::win
