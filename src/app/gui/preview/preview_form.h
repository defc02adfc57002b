#pragma once

#include <array>
#include <string>
#include <vector>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/gui/preview/preview_canvas.h"
#include "app/presenter/preview_presenter.h"

namespace quillmere {

// A line of text cut short in its middle, with an ellipsis, where its room
// is too narrow: the file names beside the legend keep their ends.
class ElidedLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The preview window, drawn with Qt: the bar of buttons and the hint, the
// drawing area and the legend. What it does is the presenter's
// (PreviewPresenter). It is not modal, so the main window stays usable beside
// it.
class TPreviewForm : public QDialog, public PreviewWindowView {
  Q_OBJECT

 public:
  // `texts` and `messages` (which shows why a file could not be read) must
  // outlive the window.
  TPreviewForm(const ShownTexts& texts, MessageSink& messages, QWidget* parent = nullptr);
  ~TPreviewForm() override;

  // The components of the window's table, in its order.
  QObjectList Components();

  // The presenter's LoadDrawing and LoadJobResult, then the window in front.
  bool ShowDrawing(const std::string& file_name);
  bool ShowJobResult(const JobPreviewRequest& request);
  bool ShowJobResult(JobMode mode, const std::string& input_name, const std::string& output_name) {
    return ShowJobResult(JobPreviewRequest{mode, input_name, output_name, nullptr});
  }
  // Without showing the window, for a picture of it.
  bool LoadDrawing(const std::string& file_name) { return presenter_.LoadDrawing(file_name); }
  bool LoadJobResult(const JobPreviewRequest& request) { return presenter_.LoadJobResult(request); }

  // Shows the window in front of the others; the first time at the size
  // the screen has room for and wholly on it.
  void ShowFront();

  // PreviewWindowView
  void ShowJobControls(bool job, bool arc_job) override;
  void ShowLegend(const std::vector<LegendEntry>& legend, const std::u16string& files) override;
  view::ViewSize CanvasSize() const override { return Zeichnung.ScreenSize(); }
  void RedrawCanvas() override { Zeichnung.Redraw(); }
  void ShowBusy(bool busy) override;

 private:
  PreviewPresenter presenter_;  // first: the drawing area forwards to it

 public:
  // The controls, in the order of the window's definition.
  QFrame Panel1{this};
  QPushButton VorherBtn{&Panel1};
  QPushButton NachherBtn{&Panel1};
  QCheckBox PunkteCheck{&Panel1};
  QPushButton EinpassenBtn{&Panel1};
  QLabel HinweisLabel{&Panel1};
  PreviewCanvas Zeichnung{presenter_, this};
  QFrame Panel2{this};

  // The legend's texts left to right, for the tests.
  QStringList LegendTexts() const;

 private:
  // The legend: a swatch and a text per entry, as many as a job needs.
  static constexpr int kLegendEntries = 4;

  void BuildTopBar();
  void BuildLegend();

  bool placed_ = false;  // sized and placed on the screen when first shown
  QButtonGroup before_after_{this};
  QVBoxLayout window_layout_{this};
  QHBoxLayout top_bar_{&Panel1};
  QHBoxLayout legend_bar_{&Panel2};
  std::array<QLabel, kLegendEntries> legend_swatches_;
  std::array<QLabel, kLegendEntries> legend_texts_;
  ElidedLabel files_{&Panel2};
};

}  // namespace quillmere
