#include "app/win/preview_canvas.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "app/win/win_dpi.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kPreviewCanvasClass[] = L"QuillmerePreviewCanvas";

COLORREF Colour(PreviewRgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

view::ViewPoint PointOf(LPARAM l) {
  return {static_cast<double>(GET_X_LPARAM(l)), static_cast<double>(GET_Y_LPARAM(l))};
}

}  // namespace

GdiPreviewPainter::~GdiPreviewPainter() {
  if (pen_ == nullptr) return;
  ::SelectObject(dc_, old_pen_);
  ::DeleteObject(pen_);
}

POINT GdiPreviewPainter::At(view::ViewPoint point) const {
  return {area_.left + static_cast<LONG>(point.x), area_.top + static_cast<LONG>(point.y)};
}

void GdiPreviewPainter::Ground(PreviewRgb colour) {
  const HBRUSH ground = ::CreateSolidBrush(Colour(colour));
  ::FillRect(dc_, &area_, ground);
  ::DeleteObject(ground);
}

void GdiPreviewPainter::BeginStroke(Stroke stroke) {
  const int width = std::max(1, static_cast<int>(std::lround(StrokeWidth(stroke) * dpi_ / kDesignDpi)));
  colour_ = Colour(StrokeRgb(stroke));
  const HPEN pen = ::CreatePen(PS_SOLID, width, colour_);
  const HGDIOBJ previous = ::SelectObject(dc_, pen);
  if (pen_ == nullptr) {
    old_pen_ = previous;
  } else {
    ::DeleteObject(pen_);
  }
  pen_ = pen;
}

void GdiPreviewPainter::Path(const std::vector<view::ViewPoint>& points) {
  path_.clear();
  for (const view::ViewPoint& point : points) path_.push_back(At(point));
  ::Polyline(dc_, path_.data(), static_cast<int>(path_.size()));
}

void GdiPreviewPainter::Dots(const std::vector<view::ViewPoint>& points) {
  for (const view::ViewPoint& point : points) {
    const POINT dot = At(point);
    ::SetPixelV(dc_, dot.x, dot.y, colour_);
  }
}

void GdiPreviewPainter::Marks(MarkShape shape, PreviewRgb colour,
                              const std::vector<view::ViewPoint>& at) {
  const int half = Scaled(static_cast<int>(kRemovedMarkSize), dpi_) / 2;
  const bool dot = shape == MarkShape::kDot;
  const HPEN pen = ::CreatePen(PS_SOLID, 1, Colour(colour));
  const HBRUSH fill = dot ? ::CreateSolidBrush(Colour(colour)) : nullptr;
  const HGDIOBJ old_pen = ::SelectObject(dc_, pen);
  const HGDIOBJ old_brush =
      ::SelectObject(dc_, dot ? static_cast<HGDIOBJ>(fill) : ::GetStockObject(NULL_BRUSH));
  for (const view::ViewPoint& point : at) {
    const POINT p = At(point);
    if (dot) {
      ::Ellipse(dc_, p.x - half, p.y - half, p.x + half + 1, p.y + half + 1);
    } else {
      ::Rectangle(dc_, p.x - half, p.y - half, p.x + half + 1, p.y + half + 1);
    }
  }
  ::SelectObject(dc_, old_pen);
  ::SelectObject(dc_, old_brush);
  ::DeleteObject(pen);
  if (fill != nullptr) ::DeleteObject(fill);
}

void PreviewCanvas::Create(HWND parent, int id) {
  // Painted whole from its picture: no ground of its own.
  window_ = CreateObjectWindow(*this, kPreviewCanvasClass, 0, {}, WS_CHILD | WS_VISIBLE, parent, id,
                               {CS_DBLCLKS, IDC_HAND, nullptr});
}

view::ViewSize PreviewCanvas::Size() const {
  RECT client{};
  ::GetClientRect(window_, &client);
  return {static_cast<double>(client.right), static_cast<double>(client.bottom)};
}

void PreviewCanvas::Redraw() {
  picture_valid_ = false;
  ::InvalidateRect(window_, nullptr, FALSE);
}

void PreviewCanvas::Repaint(HDC target, int width, int height) {
  if (!picture_valid_ || picture_size_.cx != width || picture_size_.cy != height) {
    picture_.Reset(::CreateCompatibleBitmap(target, std::max(1, width), std::max(1, height)));
    picture_size_ = {width, height};
    const HDC dc = ::CreateCompatibleDC(target);
    const HGDIOBJ old = ::SelectObject(dc, picture_);
    {
      GdiPreviewPainter painter(dc, RECT{0, 0, width, height}, DpiOf(window_));
      PaintPreview(presenter_.shown(), {static_cast<double>(width), static_cast<double>(height)},
                   static_cast<double>(DpiOf(window_)) / kDesignDpi, painter);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    picture_valid_ = true;
  }
  const HDC source = ::CreateCompatibleDC(target);
  const HGDIOBJ old = ::SelectObject(source, picture_);
  ::BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
  ::SelectObject(source, old);
  ::DeleteDC(source);
}

LRESULT PreviewCanvas::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(window_);
      RECT client{};
      ::GetClientRect(window_, &client);
      Repaint(paint.dc(), client.right, client.bottom);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      presenter_.CanvasResized();
      return 0;
    case WM_MOUSEWHEEL: {
      POINT pointer{GET_X_LPARAM(l), GET_Y_LPARAM(l)};  // on the screen
      ::ScreenToClient(window_, &pointer);
      presenter_.Wheel(GET_WHEEL_DELTA_WPARAM(w),
                       {static_cast<double>(pointer.x), static_cast<double>(pointer.y)});
      return 0;
    }
    case WM_LBUTTONDOWN:
      ::SetFocus(window_);
      ::SetCapture(window_);
      presenter_.Press(PointOf(l));
      return 0;
    case WM_MOUSEMOVE:
      presenter_.Drag(PointOf(l));
      return 0;
    case WM_LBUTTONUP:
      presenter_.Release();
      ::ReleaseCapture();
      return 0;
    case WM_LBUTTONDBLCLK:
      presenter_.FitView();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace quillmere::win
