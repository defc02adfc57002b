#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/catalogue_notices.h"
#include "app/command_line.h"
#include "app/presenter/main_view.h"
#include "app/win/preview_canvas.h"
#include "app/presenter/shown_texts.h"
#include "preview/preview_content.h"
#include "support/message_sink.h"
#include "app/win/win_window.h"

namespace quillmere::win {

// The preview window: a job's input and output, with "Vorher" and
// "Nachher" to switch between them, the removed vertices marked on
// request, and below a legend of the colours with what the job changed.
// Not modal: the main window stays usable beside it; one window serves
// every preview.
class PreviewWindow {
 public:
  PreviewWindow(const ShownTexts& texts, MessageSink& messages);
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  // The window stays above `owner`.
  void SetOwner(HWND owner) { owner_ = owner; }

  // Reads the job's input (or takes it as it was before the job) and
  // output, shows the output with what the job changed and brings the
  // window to the front. False, after the reader's message, when a file
  // cannot be read; the window then stays as it was.
  bool ShowJobResult(const JobPreviewRequest& request);

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
  void Present(std::unique_ptr<PreviewContent> content, std::u16string files);

  const ShownTexts& texts_;
  CatalogueNotices notices_;
  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  HWND before_button_ = nullptr;
  HWND after_button_ = nullptr;
  HWND marks_check_ = nullptr;
  HWND fit_button_ = nullptr;
  HWND hint_label_ = nullptr;
  PreviewCanvas canvas_;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::unique_ptr<PreviewContent> content_;
  std::u16string files_;
};

}  // namespace quillmere::win
