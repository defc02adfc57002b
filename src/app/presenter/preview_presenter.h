#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/catalogue_notices.h"
#include "app/presenter/main_view.h"
#include "app/presenter/preview_legend.h"
#include "app/presenter/shown_texts.h"
#include "preview/preview_view.h"

namespace quillmere {

// The preview window as the presenter drives it; each toolkit draws it.
class PreviewWindowView {
 public:
  virtual ~PreviewWindowView() = default;

  // "Vorher" and "Nachher" show for a job, with "Nachher" pressed; "Entfernte
  // Punkte zeigen" shows for the arc job alone.
  virtual void ShowJobControls(bool job, bool arc_job) = 0;
  // The legend, left to right, and the file names at its end.
  virtual void ShowLegend(const std::vector<LegendEntry>& legend, const std::u16string& files) = 0;
  // The drawing area: its size in pixels, and painting it anew from
  // PreviewPresenter::shown().
  virtual view::ViewSize CanvasSize() const = 0;
  virtual void RedrawCanvas() = 0;
  // A wait cursor while a drawing is read.
  virtual void ShowBusy(bool busy) = 0;
};

// What the preview window does, whatever toolkit draws it: it reads a
// drawing, or a job's input and output, and shows it with its legend; it
// switches between "Vorher" and "Nachher" and the removed points' marks; and
// it moves the view by the drawing area's events: the wheel zooms about the
// pointer, dragging with the left button moves the drawing, a double click
// and "Ganze Zeichnung" show the whole drawing. One window serves every
// preview; switching between input and output keeps the view, so that the
// two can be compared in place.
class PreviewPresenter {
 public:
  // `messages` shows why a file could not be read; it, `view` and `texts`
  // must outlive the presenter.
  PreviewPresenter(PreviewWindowView& view, const ShownTexts& texts, MessageSink& messages);

  // Shows nothing: the ground, with the legend of the colours alone.
  void ShowNothing();
  // Reads one drawing and shows it. False, after the reader's message, when
  // the file cannot be read; the window then stays as it was.
  bool LoadDrawing(const std::string& file_name);
  // Reads a job's input (or takes it as it was before the job) and output
  // and shows the output with what the job changed; false as above.
  bool LoadJobResult(const JobPreviewRequest& request);

  void ShowOutput(bool show);            // "Nachher", or "Vorher"
  void ShowRemovedVertices(bool show);   // "Entfernte Punkte zeigen"
  void FitView();                        // "Ganze Zeichnung" and the double click

  // The drawing area's events, in its pixels.
  void CanvasResized();
  void Wheel(int wheel_units, view::ViewPoint pointer);
  void Press(view::ViewPoint at);
  void Drag(view::ViewPoint at);  // nothing unless pressed
  void Release();

  // What the drawing area shows, and where it looks.
  const PreviewView& shown() const { return shown_; }

 private:
  void Present(std::unique_ptr<PreviewContent> content, const std::u16string& files);
  void MoveView(const view::ViewTransform& transform);

  PreviewWindowView& view_;
  const ShownTexts& texts_;
  CatalogueNotices notices_;
  std::unique_ptr<PreviewContent> content_;
  PreviewView shown_;
  std::optional<view::ViewPoint> drag_from_;  // while the left button is down
};

}  // namespace quillmere
