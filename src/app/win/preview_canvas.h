#pragma once

#include <windows.h>

#include "app/win/win_window.h"
#include "preview/preview_content.h"
#include "preview/preview_view.h"

namespace quillmere::win {

// The drawing area of the preview window, painted with GDI. The wheel
// zooms about the pointer, dragging with the left button moves the
// drawing, a double click shows the whole drawing again. Switching between
// a job's input and output keeps the view. What it paints is kept as a
// picture and painted anew only when the view, the size or what is shown
// changes.
class PreviewCanvas {
 public:
  PreviewCanvas() = default;
  ~PreviewCanvas();
  PreviewCanvas(const PreviewCanvas&) = delete;
  PreviewCanvas& operator=(const PreviewCanvas&) = delete;

  void Create(HWND parent, int id);
  HWND handle() const { return window_; }

  // Shows `content`, which must stay until the next call, fitted into the
  // canvas; nullptr shows the ground alone.
  void SetContent(const PreviewContent* content);
  void ShowOutput(bool show);
  void ShowRemovedVertices(bool show);
  void FitView();

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Changed();
  void Repaint(HDC target, int width, int height);
  view::ViewSize Size() const;

  HWND window_ = nullptr;
  PreviewView view_;
  bool dragging_ = false;
  POINT drag_position_{};
  HBITMAP picture_ = nullptr;
  SIZE picture_size_{};
  bool picture_valid_ = false;
};

}  // namespace quillmere::win
