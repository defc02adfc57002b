#pragma once

#include <array>
#include <memory>
#include <string>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/catalogue_notices.h"
#include "app/command_line.h"
#include "app/gui/preview/preview_canvas.h"
#include "app/presenter/main_view.h"
#include "app/presenter/shown_texts.h"
#include "preview/preview_content.h"
#include "support/message_sink.h"

namespace quillmere {

// A line of text cut short in its middle, with an ellipsis, where its room
// is too narrow: the file names beside the legend keep their ends.
class ElidedLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The preview window: a drawing, or a job's input and output, with a
// legend of the colours and of what the job changed (PreviewLegend). It is
// not modal, so the main window stays usable beside it; one window serves
// every preview.
class TPreviewForm : public QDialog {
  Q_OBJECT

 public:
  // `texts` and `messages` (which shows why a file could not be read) must
  // outlive the window.
  TPreviewForm(const ShownTexts& texts, MessageSink& messages, QWidget* parent = nullptr);
  ~TPreviewForm() override;

  // The components of the window's table, in its order.
  QObjectList Components();

  // Reads one drawing and shows it in the window. False, after the reader's
  // message, when the file cannot be read; the window then stays as it was.
  bool ShowDrawing(const std::string& file_name);
  // After a successful job: reads its input (or takes it as it was before
  // the job) and output, shows the output with what the job changed and
  // brings the window to the front. False, after the message, when a file
  // cannot be read.
  bool ShowJobResult(const JobPreviewRequest& request);
  bool ShowJobResult(JobMode mode, const std::string& input_name, const std::string& output_name) {
    return ShowJobResult(JobPreviewRequest{mode, input_name, output_name, nullptr});
  }

  // Shows the window in front of the others; the first time at the size
  // the screen has room for and wholly on it.
  void ShowFront();

  // The same without showing the window, for a picture of it.
  bool LoadDrawing(const std::string& file_name);
  bool LoadJobResult(const JobPreviewRequest& request);

  // The controls, in the order of the window's definition.
  QFrame Panel1{this};
  QPushButton VorherBtn{&Panel1};
  QPushButton NachherBtn{&Panel1};
  QCheckBox PunkteCheck{&Panel1};
  QPushButton EinpassenBtn{&Panel1};
  QLabel HinweisLabel{&Panel1};
  PreviewCanvas Zeichnung{this};
  QFrame Panel2{this};

  // The legend's texts left to right, for the tests.
  QStringList LegendTexts() const;

 private:
  // The legend: a swatch and a text per entry, as many as a job needs.
  static constexpr int kLegendEntries = 4;

  void BuildTopBar();
  void BuildLegend();
  void Present(std::unique_ptr<PreviewContent> content, const std::u16string& files);
  void ShowLegend();

  const ShownTexts& texts_;
  CatalogueNotices notices_;
  std::unique_ptr<PreviewContent> content_;
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
