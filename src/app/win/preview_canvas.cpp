#include "app/win/preview_canvas.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/win/win_dpi.h"
#include "preview/preview_colours.h"
#include "preview/preview_view.h"
#include "preview/screen_map.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kClassName[] = L"QuillmerePreviewCanvas";
// GDI takes coordinates far beyond the view; points farther out are
// brought to this limit, which only ever bends lines outside the view.
constexpr double kCoordinateLimit = 1.0e6;

COLORREF Colour(PreviewRgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// GDI's integer pixels, within the limit.
POINT At(const ScreenMap& map, const FlatPoint& p) {
  return {static_cast<LONG>(std::clamp(map.X(p), -kCoordinateLimit, kCoordinateLimit)),
          static_cast<LONG>(std::clamp(map.Y(p), -kCoordinateLimit, kCoordinateLimit))};
}

// The pieces of `drawing` that meet the view, highlights last; a point on
// the pixel of the one before is passed over, so that the cost follows the
// pixels covered rather than the size of the drawing.
void PaintDrawing(HDC dc, const FlatDrawing& drawing, const view::ViewTransform& view,
                  view::ViewSize size, int dpi) {
  const ScreenMap map(drawing.origin_x, drawing.origin_y, view, size);
  std::vector<POINT> run;
  for (const Stroke stroke : kStrokePaintOrder) {
    const int width = std::max(1, static_cast<int>(std::lround(StrokeWidth(stroke) * dpi / kDesignDpi)));
    const COLORREF colour = Colour(StrokeRgb(stroke));
    const HPEN pen = ::CreatePen(PS_SOLID, width, colour);
    const HGDIOBJ old = ::SelectObject(dc, pen);
    for (const FlatPiece& piece : drawing.pieces) {
      if (piece.stroke != stroke || !map.Meets(piece.bounds, size, width)) continue;
      const FlatPoint* points = drawing.points.data() + piece.first;
      if (map.BelowOnePixel(piece.bounds)) {
        const POINT dot = At(map, points[0]);
        ::SetPixelV(dc, dot.x, dot.y, colour);
        continue;
      }
      run.clear();
      for (std::uint32_t i = 0; i < piece.count; ++i) {
        const POINT p = At(map, points[i]);
        if (!run.empty() && run.back().x == p.x && run.back().y == p.y && i + 1 < piece.count) continue;
        run.push_back(p);
      }
      if (run.size() >= 2) ::Polyline(dc, run.data(), static_cast<int>(run.size()));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
  }
}

// The marks on the points, at most one in each few pixels: open squares on
// the removed vertices, filled dots on the polylines' ends.
enum class MarkShape { kSquare, kDot };

void PaintMarks(HDC dc, const std::vector<FlatPoint>& points, double origin_x, double origin_y,
                const view::ViewTransform& view, view::ViewSize size, int dpi, MarkShape shape,
                PreviewRgb colour) {
  const ScreenMap map(origin_x, origin_y, view, size);
  const int cell = Scaled(kRemovedMarkCell, dpi);
  const int half = Scaled(static_cast<int>(kRemovedMarkSize), dpi) / 2;
  MarkCells cells(size, cell);
  const bool dot = shape == MarkShape::kDot;
  const HPEN pen = ::CreatePen(PS_SOLID, 1, Colour(colour));
  const HBRUSH fill = dot ? ::CreateSolidBrush(Colour(colour)) : nullptr;
  const HGDIOBJ old_pen = ::SelectObject(dc, pen);
  const HGDIOBJ old_brush =
      ::SelectObject(dc, dot ? static_cast<HGDIOBJ>(fill) : ::GetStockObject(NULL_BRUSH));
  for (const FlatPoint& point : points) {
    const POINT p = At(map, point);
    if (!cells.Take(p.x, p.y)) continue;
    if (dot) {
      ::Ellipse(dc, p.x - half, p.y - half, p.x + half + 1, p.y + half + 1);
    } else {
      ::Rectangle(dc, p.x - half, p.y - half, p.x + half + 1, p.y + half + 1);
    }
  }
  ::SelectObject(dc, old_pen);
  ::SelectObject(dc, old_brush);
  ::DeleteObject(pen);
  if (fill != nullptr) ::DeleteObject(fill);
}

}  // namespace

PreviewCanvas::~PreviewCanvas() {
  if (picture_ != nullptr) ::DeleteObject(picture_);
}

void PreviewCanvas::Create(HWND parent, int id) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // Painted whole from its picture: no ground of its own.
  RegisterWindowClass(instance, kClassName, ObjectProcedure<PreviewCanvas>,
                      {CS_DBLCLKS, IDC_HAND, nullptr});
  window_ = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

view::ViewSize PreviewCanvas::Size() const {
  RECT client{};
  ::GetClientRect(window_, &client);
  return {static_cast<double>(client.right), static_cast<double>(client.bottom)};
}

void PreviewCanvas::SetContent(const PreviewContent* content) {
  view_.SetContent(content, Size());
  Changed();
}

void PreviewCanvas::ShowOutput(bool show) {
  view_.ShowOutput(show);
  Changed();
}

void PreviewCanvas::ShowRemovedVertices(bool show) {
  view_.ShowRemovedVertices(show);
  Changed();
}

void PreviewCanvas::FitView() {
  view_.Fit(Size());
  Changed();
}

void PreviewCanvas::Changed() {
  picture_valid_ = false;
  ::InvalidateRect(window_, nullptr, FALSE);
}

void PreviewCanvas::Repaint(HDC target, int width, int height) {
  if (!picture_valid_ || picture_size_.cx != width || picture_size_.cy != height) {
    if (picture_ != nullptr) ::DeleteObject(picture_);
    picture_ = ::CreateCompatibleBitmap(target, std::max(1, width), std::max(1, height));
    picture_size_ = {width, height};
    const HDC dc = ::CreateCompatibleDC(target);
    const HGDIOBJ old = ::SelectObject(dc, picture_);
    const RECT all{0, 0, width, height};
    const HBRUSH ground = ::CreateSolidBrush(Colour(kPreviewGround));
    ::FillRect(dc, &all, ground);
    ::DeleteObject(ground);
    if (const PreviewContent* const content = view_.content(); content != nullptr) {
      const int dpi = DpiOf(window_);
      const view::ViewSize size{static_cast<double>(width), static_cast<double>(height)};
      const PreviewLayers layers = view_.Layers();
      if (layers.removed_vertices != nullptr) {
        PaintMarks(dc, *layers.removed_vertices, content->output.origin_x, content->output.origin_y,
                   view_.transform(), size, dpi, MarkShape::kSquare, kRemovedVertexRgb);
      }
      PaintDrawing(dc, *layers.drawing, view_.transform(), size, dpi);
      if (layers.polyline_ends != nullptr) {
        PaintMarks(dc, *layers.polyline_ends, content->output.origin_x, content->output.origin_y,
                   view_.transform(), size, dpi, MarkShape::kDot, kPolylineEndRgb);
      }
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
      view_.Resized(Size());
      Changed();
      return 0;
    case WM_MOUSEWHEEL: {
      POINT pointer{GET_X_LPARAM(l), GET_Y_LPARAM(l)};  // on the screen
      ::ScreenToClient(window_, &pointer);
      const double factor = view::WheelZoomFactor(GET_WHEEL_DELTA_WPARAM(w));
      view_.Move(view::ZoomedView(view_.transform(), factor,
                                  {static_cast<double>(pointer.x), static_cast<double>(pointer.y)},
                                  Size()));
      Changed();
      return 0;
    }
    case WM_LBUTTONDOWN:
      ::SetFocus(window_);
      dragging_ = true;
      drag_position_ = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      ::SetCapture(window_);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        const POINT position{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        view_.Move(view::PannedView(view_.transform(),
                                    {static_cast<double>(position.x - drag_position_.x),
                                     static_cast<double>(position.y - drag_position_.y)}));
        drag_position_ = position;
        Changed();
      }
      return 0;
    case WM_LBUTTONUP:
      dragging_ = false;
      ::ReleaseCapture();
      return 0;
    case WM_LBUTTONDBLCLK:
      FitView();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace quillmere::win
