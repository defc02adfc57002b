#pragma once

#include <windows.h>

#include <vector>

#include "app/presenter/preview_presenter.h"
#include "app/win/win_window.h"
#include "preview/preview_painter.h"

namespace quillmere::win {

// The preview's painting steps with GDI, into `area` of `dc` at `dpi`,
// without smoothing, in whole pixels.
class GdiPreviewPainter : public PreviewPainter {
 public:
  GdiPreviewPainter(HDC dc, RECT area, int dpi) : dc_(dc), area_(area), dpi_(dpi) {}
  ~GdiPreviewPainter() override;
  GdiPreviewPainter(const GdiPreviewPainter&) = delete;
  GdiPreviewPainter& operator=(const GdiPreviewPainter&) = delete;

  void Ground(PreviewRgb colour) override;
  void BeginStroke(Stroke stroke) override;
  void Path(const std::vector<view::ViewPoint>& points) override;
  void Dots(const std::vector<view::ViewPoint>& points) override;
  void Marks(MarkShape shape, PreviewRgb colour, const std::vector<view::ViewPoint>& at) override;

 private:
  POINT At(view::ViewPoint point) const;

  HDC dc_;
  RECT area_;
  int dpi_;
  HPEN pen_ = nullptr;
  HGDIOBJ old_pen_ = nullptr;
  COLORREF colour_ = 0;
  std::vector<POINT> path_;
};

// The drawing area of the preview window: paints what the presenter shows
// and forwards the wheel, dragging with the left button and the double click
// to it. What it paints is kept as a picture and painted anew only when the
// presenter asks (Redraw) or the size changes.
class PreviewCanvas {
 public:
  explicit PreviewCanvas(PreviewPresenter& presenter) : presenter_(presenter) {}

  void Create(HWND parent, int id);
  HWND handle() const { return window_; }
  void Redraw();
  view::ViewSize Size() const;

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Repaint(HDC target, int width, int height);

  PreviewPresenter& presenter_;
  HWND window_ = nullptr;
  OwnedBitmap picture_;
  SIZE picture_size_{};
  bool picture_valid_ = false;
};

}  // namespace quillmere::win
