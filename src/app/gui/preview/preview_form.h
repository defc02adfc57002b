#pragma once

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
#include "app/gui/component_owner.h"
#include "app/gui/preview/preview_canvas.h"
#include "preview/preview_content.h"
#include "support/message_sink.h"

namespace quillmere {

// The preview window: a drawing, or a job's input and output, with a
// legend of the colours and of what the job changed. It is not modal, so
// the main window stays usable beside it; one window serves every preview.
//
// The legend's counts come from templates such as "%1 Kreisbögen gefunden":
// hidden labels that the window translator translates like every other
// text, filled in with the numbers only afterwards, so that no text with
// numbers in it is ever learnt.
class TPreviewForm : public QDialog, public ComponentOwner {
  Q_OBJECT

 public:
  // `messages` shows why a file could not be read; it must outlive the
  // window.
  explicit TPreviewForm(MessageSink& messages, QWidget* parent = nullptr);
  ~TPreviewForm() override;

  QObjectList Components() override;

  // Reads one drawing and shows it in the window. False, after the reader's
  // message, when the file cannot be read; the window then stays as it was.
  bool ShowDrawing(const std::string& file_name);
  // After a successful job: reads its input and output, shows the output
  // with what the job changed and brings the window to the front. False,
  // after the message, when a file cannot be read.
  bool ShowJobResult(JobMode mode, const std::string& input_name, const std::string& output_name);

  // Shows the window in front of the others; the first time at the size
  // the screen has room for and wholly on it.
  void ShowFront();

  // The same without showing the window, for a picture of it.
  bool LoadDrawing(const std::string& file_name);
  bool LoadJobResult(JobMode mode, const std::string& input_name, const std::string& output_name);

  void VorherBtnClick();
  void NachherBtnClick();
  void PunkteCheckClick();
  void EinpassenBtnClick();

  // The controls, in the order of the window's definition.
  QFrame Panel1{this};
  QPushButton VorherBtn{&Panel1};
  QPushButton NachherBtn{&Panel1};
  QCheckBox PunkteCheck{&Panel1};
  QPushButton EinpassenBtn{&Panel1};
  QLabel HinweisLabel{&Panel1};
  PreviewCanvas Zeichnung{this};
  QFrame Panel2{this};
  QLabel LinienLabel{&Panel2};
  QLabel BoegenLabel{&Panel2};
  QLabel GefundenVorlage{&Panel2};
  QLabel EntferntVorlage{&Panel2};
  QLabel VerkettetVorlage{&Panel2};
  QLabel AngehaengtVorlage{&Panel2};
  QLabel EndenVorlage{&Panel2};
  QLabel GeschlossenVorlage{&Panel2};

  // The legend's filled-in counts, for the tests.
  QString FirstCountText() const { return first_count_.text(); }
  QString SecondCountText() const { return second_count_.text(); }

 private:
  void BuildTopBar();
  void BuildLegend();
  void Present(std::unique_ptr<PreviewContent> content, const QString& files);
  void ShowLegendCounts();

  CatalogueNotices notices_;
  std::unique_ptr<PreviewContent> content_;
  bool placed_ = false;  // sized and placed on the screen when first shown
  QButtonGroup before_after_{this};
  QVBoxLayout window_layout_{this};
  QHBoxLayout top_bar_{&Panel1};
  QHBoxLayout legend_bar_{&Panel2};
  // Not components: pictures and texts with numbers, never translated.
  QLabel line_swatch_{&Panel2};
  QLabel arc_swatch_{&Panel2};
  QLabel first_swatch_{&Panel2};
  QLabel first_count_{&Panel2};
  QLabel second_swatch_{&Panel2};
  QLabel second_count_{&Panel2};
  QLabel files_{&Panel2};
};

}  // namespace quillmere
