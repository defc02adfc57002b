#include "app/gui/preview/preview_form.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "app/compared_job.h"
#include "app/gui/preview/preview_legend.h"
#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"
#include "app/gui/window_placement.h"

namespace quillmere {

namespace {

// The file's own name, without its folder, as the file system spells it.
QString ShortName(const std::string& file_name) {
  return QFileInfo(QFile::decodeName(QByteArray::fromStdString(file_name))).fileName();
}

// The window's size where the screen has room for it.
constexpr QSize kDesignSize{900, 700};

// A wait cursor while a drawing is read.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TPreviewForm::TPreviewForm(MessageSink& messages, QWidget* parent)
    : QDialog(parent), notices_(messages) {
  setObjectName(QStringLiteral("PreviewForm"));
  setWindowTitle(TableCaption(kPreviewWindow));
  setFont(WindowFont());
  setModal(false);
  setSizeGripEnabled(true);

  BuildTopBar();
  Zeichnung.setObjectName(QStringLiteral("Zeichnung"));
  BuildLegend();
  window_layout_.setContentsMargins(0, 0, 0, 0);
  window_layout_.setSpacing(0);
  window_layout_.addWidget(&Panel1);
  window_layout_.addWidget(&Zeichnung, 1);
  window_layout_.addWidget(&Panel2);

  connect(&VorherBtn, &QPushButton::clicked, this, &TPreviewForm::VorherBtnClick);
  connect(&NachherBtn, &QPushButton::clicked, this, &TPreviewForm::NachherBtnClick);
  connect(&PunkteCheck, &QCheckBox::clicked, this, &TPreviewForm::PunkteCheckClick);
  connect(&EinpassenBtn, &QPushButton::clicked, this, &TPreviewForm::EinpassenBtnClick);
  Present(nullptr, QString());
}

TPreviewForm::~TPreviewForm() = default;

QObjectList TPreviewForm::Components() {
  return {&Panel1,      &VorherBtn,       &NachherBtn,      &PunkteCheck,
          &EinpassenBtn, &HinweisLabel,   &Zeichnung,       &Panel2,
          &LinienLabel, &BoegenLabel,     &GefundenVorlage, &EntferntVorlage,
          &VerkettetVorlage, &AngehaengtVorlage, &EndenVorlage, &GeschlossenVorlage};
}

void TPreviewForm::BuildTopBar() {
  Panel1.setObjectName(QStringLiteral("Panel1"));
  VorherBtn.setObjectName(QStringLiteral("VorherBtn"));
  VorherBtn.setText(TableText(kPreviewWindow, "VorherBtn"));
  NachherBtn.setObjectName(QStringLiteral("NachherBtn"));
  NachherBtn.setText(TableText(kPreviewWindow, "NachherBtn"));
  for (QPushButton* button : {&VorherBtn, &NachherBtn}) {
    button->setCheckable(true);
    button->setAutoDefault(false);
    before_after_.addButton(button);
  }
  before_after_.setExclusive(true);
  PunkteCheck.setObjectName(QStringLiteral("PunkteCheck"));
  PunkteCheck.setText(TableText(kPreviewWindow, "PunkteCheck"));
  PunkteCheck.setChecked(true);
  EinpassenBtn.setObjectName(QStringLiteral("EinpassenBtn"));
  EinpassenBtn.setText(TableText(kPreviewWindow, "EinpassenBtn"));
  EinpassenBtn.setAutoDefault(false);
  HinweisLabel.setObjectName(QStringLiteral("HinweisLabel"));
  HinweisLabel.setText(TableText(kPreviewWindow, "HinweisLabel"));
  // In a narrow window the hint takes two lines rather than widening it.
  HinweisLabel.setWordWrap(true);
  HinweisLabel.setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  top_bar_.setContentsMargins(8, 6, 8, 6);
  top_bar_.addWidget(&VorherBtn);
  top_bar_.addWidget(&NachherBtn);
  top_bar_.addSpacing(12);
  top_bar_.addWidget(&PunkteCheck);
  top_bar_.addSpacing(12);
  top_bar_.addWidget(&EinpassenBtn);
  top_bar_.addSpacing(12);
  top_bar_.addWidget(&HinweisLabel, 1);
}

void TPreviewForm::BuildLegend() {
  Panel2.setObjectName(QStringLiteral("Panel2"));
  LinienLabel.setObjectName(QStringLiteral("LinienLabel"));
  LinienLabel.setText(TableText(kPreviewWindow, "LinienLabel"));
  BoegenLabel.setObjectName(QStringLiteral("BoegenLabel"));
  BoegenLabel.setText(TableText(kPreviewWindow, "BoegenLabel"));
  const std::pair<QLabel*, const char*> templates[] = {
      {&GefundenVorlage, "GefundenVorlage"},
      {&EntferntVorlage, "EntferntVorlage"},
      {&VerkettetVorlage, "VerkettetVorlage"},
      {&AngehaengtVorlage, "AngehaengtVorlage"},
      {&EndenVorlage, "EndenVorlage"},
      {&GeschlossenVorlage, "GeschlossenVorlage"}};
  for (const auto& [label, name] : templates) {
    label->setObjectName(QLatin1String(name));
    label->hide();
  }
  for (const auto& [label, name] : templates) label->setText(TableText(kPreviewWindow, name));
  // Labels are as large as their texts, as the window translator leaves
  // them after a translation.
  for (QLabel* label : {&LinienLabel, &BoegenLabel, &GefundenVorlage, &EntferntVorlage,
                        &VerkettetVorlage, &AngehaengtVorlage, &EndenVorlage,
                        &GeschlossenVorlage}) {
    label->adjustSize();
  }

  line_swatch_.setPixmap(StrokeSwatch(Stroke::kLine));
  arc_swatch_.setPixmap(StrokeSwatch(Stroke::kArc));
  legend_bar_.setContentsMargins(8, 6, 8, 6);
  legend_bar_.setSpacing(6);
  for (QWidget* item : std::initializer_list<QWidget*>{&line_swatch_, &LinienLabel, &arc_swatch_,
                                                       &BoegenLabel, &first_swatch_, &first_count_,
                                                       &second_swatch_, &second_count_}) {
    legend_bar_.addWidget(item);
    if (item == &LinienLabel || item == &BoegenLabel || item == &first_count_) {
      legend_bar_.addSpacing(14);
    }
  }
  // The file names take the rest of the line; long ones are cut rather than
  // widening the window.
  files_.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  files_.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  legend_bar_.addWidget(&files_, 1);
}

bool TPreviewForm::LoadDrawing(const std::string& file_name) {
  auto content = std::make_unique<PreviewContent>();
  {
    const WaitCursor waiting;
    if (!LoadDrawingPreview(file_name, *content, notices_)) return false;
  }
  Present(std::move(content), ShortName(file_name));
  return true;
}

bool TPreviewForm::LoadJobResult(JobMode mode, const std::string& input_name,
                                 const std::string& output_name) {
  auto content = std::make_unique<PreviewContent>();
  {
    const WaitCursor waiting;
    if (!LoadJobPreview(ComparedJobOf(mode), input_name, output_name, *content, notices_)) {
      return false;
    }
  }
  Present(std::move(content),
          ShortName(input_name) + QStringLiteral("  \u2192  ") + ShortName(output_name));
  return true;
}

bool TPreviewForm::ShowDrawing(const std::string& file_name) {
  if (!LoadDrawing(file_name)) return false;
  ShowFront();
  return true;
}

bool TPreviewForm::ShowJobResult(JobMode mode, const std::string& input_name,
                                 const std::string& output_name) {
  if (!LoadJobResult(mode, input_name, output_name)) return false;
  ShowFront();
  return true;
}

void TPreviewForm::ShowFront() {
  if (!placed_) {
    // A size the program chose stays; the design's is made to fit.
    if (!testAttribute(Qt::WA_Resized)) resize(SizeOnScreen(*this, kDesignSize));
    PlaceOnScreen(*this);
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

void TPreviewForm::Present(std::unique_ptr<PreviewContent> content, const QString& files) {
  content_ = std::move(content);
  const bool job = content_ != nullptr && content_->job.has_value();
  const bool arc_job = job && *content_->job == ComparedJob::kFindArcs;
  VorherBtn.setVisible(job);
  NachherBtn.setVisible(job);
  NachherBtn.setChecked(true);
  PunkteCheck.setVisible(arc_job);
  Zeichnung.ShowOutput(true);
  Zeichnung.ShowRemovedVertices(arc_job && PunkteCheck.isChecked());
  Zeichnung.SetContent(content_.get());
  files_.setText(files);
  ShowLegendCounts();
}

void TPreviewForm::ShowLegendCounts() {
  const LegendTemplates templates{GefundenVorlage.text(), EntferntVorlage.text(),
                                  VerkettetVorlage.text(), AngehaengtVorlage.text(),
                                  EndenVorlage.text(), GeschlossenVorlage.text()};
  const std::optional<LegendCounts> counts =
      content_ != nullptr ? LegendCountsOf(*content_, templates) : std::nullopt;
  first_swatch_.setVisible(counts.has_value());
  first_count_.setVisible(counts.has_value());
  second_swatch_.setVisible(counts && !counts->second_text.isEmpty());
  second_count_.setVisible(counts && !counts->second_text.isEmpty());
  if (!counts) return;
  first_swatch_.setPixmap(counts->first_swatch);
  first_count_.setText(counts->first_text);
  second_swatch_.setPixmap(counts->second_swatch);
  second_count_.setText(counts->second_text);
}

void TPreviewForm::VorherBtnClick() { Zeichnung.ShowOutput(false); }
void TPreviewForm::NachherBtnClick() { Zeichnung.ShowOutput(true); }
void TPreviewForm::PunkteCheckClick() { Zeichnung.ShowRemovedVertices(PunkteCheck.isChecked()); }
void TPreviewForm::EinpassenBtnClick() { Zeichnung.FitView(); }

}  // namespace quillmere
