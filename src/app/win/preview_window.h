#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/presenter/preview_presenter.h"
#include "app/win/preview_canvas.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// The preview window, drawn with the Windows API: the bar of buttons and the
// hint, the drawing area and the legend below it. What it does is the
// presenter's (PreviewPresenter). Not modal: the main window stays usable
// beside it.
class PreviewWindow : public PreviewWindowView {
 public:
  PreviewWindow(const ShownTexts& texts, MessageSink& messages);

  // The window stays above `owner`.
  void SetOwner(HWND owner) { owner_ = owner; }

  // The presenter's LoadJobResult, then the window in front.
  bool ShowJobResult(const JobPreviewRequest& request);

  // PreviewWindowView
  void ShowJobControls(bool job, bool arc_job) override;
  void ShowLegend(const std::vector<LegendEntry>& legend, const std::u16string& files) override;
  view::ViewSize CanvasSize() const override { return canvas_.Size(); }
  void RedrawCanvas() override { canvas_.Redraw(); }
  void ShowBusy(bool busy) override;

 private:
  template <typename T>
  friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Create();
  void ApplyDpi();
  void Layout();
  // The height of the hint written in lines of `hint_width` pixels.
  int HintHeight(int hint_width) const;
  void PaintLegend(HDC dc);

  const ShownTexts& texts_;
  PreviewPresenter presenter_;
  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  HWND before_button_ = nullptr;
  HWND after_button_ = nullptr;
  HWND marks_check_ = nullptr;
  HWND fit_button_ = nullptr;
  HWND hint_label_ = nullptr;
  PreviewCanvas canvas_{presenter_};
  OwnedFont font_;
  int dpi_ = 96;
  HCURSOR cursor_before_busy_ = nullptr;
  std::vector<LegendEntry> legend_;
  std::u16string files_;
};

}  // namespace quillmere::win
