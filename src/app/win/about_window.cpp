#include "app/win/about_window.h"

#include <cmath>

#include "app/presenter/window_texts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_modal.h"
#include "app/win/win_text.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kAboutBoxClass[] = L"QuillmereAboutBox";
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

}  // namespace

void AboutWindow::Create(HWND owner) {
  window_ = CreateObjectWindow(*this, kAboutBoxClass, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                               texts_.Caption(kAboutWindow), WS_POPUP | WS_CAPTION | WS_SYSMENU, owner);
  const auto label = [&](int id, std::string_view name) {
    return AddChild(window_, L"STATIC", SS_NOPREFIX, id, texts_.Text(kAboutWindow, name));
  };
  picture_ = AddChild(window_, L"STATIC", SS_OWNERDRAW, kPictureId);
  name_ = label(11, "ProductName");
  version_ = label(12, "Version");
  copyright_ = label(13, "Copyright");
  comments_ = label(14, "Comments");
  ok_ = AddChild(window_, L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, texts_.Text(kAboutWindow, "OKButton"));
  Layout();
}

void AboutWindow::Layout() {
  dpi_ = DpiOf(window_);
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  SetFontOnAll(window_, font_.Reset(CreateWindowFont(dpi_)));
  const HFONT title_font = title_font_.Reset(CreateWindowFont(dpi_, 12, true));
  ::SendMessageW(name_, WM_SETFONT, reinterpret_cast<WPARAM>(title_font), TRUE);
  const HWND controls[] = {picture_, name_, version_, copyright_, comments_, ok_};
  for (std::size_t i = 0; i < std::size(controls); ++i) {
    const DesignPlace& p = kAboutPlaces[i];
    ::MoveWindow(controls[i], s(p.left), s(p.top), s(p.width), s(p.height), TRUE);
  }
  PlaceWithClientSize(window_, s(kAboutWidth), s(kAboutHeight), false,
                      ::GetWindow(window_, GW_OWNER));
}

void AboutWindow::ShowModal(HWND owner) {
  if (window_ == nullptr) Create(owner);
  SetText(copyright_, WithCurrentYear(TextOf(copyright_)));
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
