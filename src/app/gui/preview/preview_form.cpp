#include "app/gui/preview/preview_form.h"

#include <QGuiApplication>
#include <QPainter>

#include "app/gui/preview/drawing_painter.h"
#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"
#include "app/gui/window_placement.h"

namespace quillmere {

namespace {

// The window's size where the screen has room for it.
constexpr QSize kDesignSize{900, 700};

}  // namespace

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect room = contentsRect();
  painter.drawText(room, static_cast<int>(alignment()),
                   fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()));
}

TPreviewForm::TPreviewForm(const ShownTexts& texts, MessageSink& messages, QWidget* parent)
    : QDialog(parent), presenter_(*this, texts, messages) {
  setFont(WindowFont());
  setModal(false);
  setSizeGripEnabled(true);

  NameComponents(*this, kPreviewWindow, Components());
  BuildTopBar();
  BuildLegend();
  ShowWindowTexts(*this, kPreviewWindow, Components(), texts);
  window_layout_.setContentsMargins(0, 0, 0, 0);
  window_layout_.setSpacing(0);
  window_layout_.addWidget(&Panel1);
  window_layout_.addWidget(&Zeichnung, 1);
  window_layout_.addWidget(&Panel2);

  connect(&VorherBtn, &QPushButton::clicked, this, [this] { presenter_.ShowOutput(false); });
  connect(&NachherBtn, &QPushButton::clicked, this, [this] { presenter_.ShowOutput(true); });
  connect(&PunkteCheck, &QCheckBox::clicked, this,
          [this](bool ticked) { presenter_.ShowRemovedVertices(ticked); });
  connect(&EinpassenBtn, &QPushButton::clicked, this, [this] { presenter_.FitView(); });
  presenter_.ShowNothing();
}

TPreviewForm::~TPreviewForm() = default;

// The legend's labels and templates are drawn from the texts, not shown as
// components of their own.
QObjectList TPreviewForm::Components() {
  return {&Panel1,  &VorherBtn, &NachherBtn, &PunkteCheck, &EinpassenBtn, &HinweisLabel,
          &Zeichnung, &Panel2,  nullptr,     nullptr,      nullptr,       nullptr,
          nullptr,  nullptr,    nullptr,     nullptr};
}

void TPreviewForm::BuildTopBar() {
  for (QPushButton* button : {&VorherBtn, &NachherBtn}) {
    button->setCheckable(true);
    button->setAutoDefault(false);
    before_after_.addButton(button);
  }
  before_after_.setExclusive(true);
  PunkteCheck.setChecked(true);
  EinpassenBtn.setAutoDefault(false);
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

// Each entry a swatch and its text; the file names take the rest of the
// line, right-aligned, and are cut short in the middle rather than reaching
// the entries.
void TPreviewForm::BuildLegend() {
  legend_bar_.setContentsMargins(8, 6, 8, 6);
  legend_bar_.setSpacing(6);
  for (int entry = 0; entry < kLegendEntries; ++entry) {
    legend_swatches_[entry].setParent(&Panel2);
    legend_texts_[entry].setParent(&Panel2);
    legend_bar_.addWidget(&legend_swatches_[entry]);
    legend_bar_.addWidget(&legend_texts_[entry]);
    legend_bar_.addSpacing(14);
  }
  files_.setMinimumWidth(0);
  files_.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  files_.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  legend_bar_.addWidget(&files_, 1);
}

bool TPreviewForm::ShowDrawing(const std::string& file_name) {
  const bool loaded = LoadDrawing(file_name);
  if (loaded) ShowFront();
  return loaded;
}

bool TPreviewForm::ShowJobResult(const JobPreviewRequest& request) {
  const bool loaded = LoadJobResult(request);
  if (loaded) ShowFront();
  return loaded;
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

void TPreviewForm::ShowJobControls(bool job, bool arc_job) {
  VorherBtn.setVisible(job);
  NachherBtn.setVisible(job);
  NachherBtn.setChecked(true);
  PunkteCheck.setVisible(arc_job);
}

void TPreviewForm::ShowLegend(const std::vector<LegendEntry>& legend, const std::u16string& files) {
  for (int entry = 0; entry < kLegendEntries; ++entry) {
    const bool shown = entry < static_cast<int>(legend.size());
    legend_swatches_[entry].setVisible(shown);
    legend_texts_[entry].setVisible(shown);
    if (!shown) continue;
    legend_swatches_[entry].setPixmap(LegendSwatchPixmap(legend[entry].swatch));
    legend_texts_[entry].setText(QString::fromStdU16String(legend[entry].text));
  }
  files_.setText(QString::fromStdU16String(files));
}

void TPreviewForm::ShowBusy(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

QStringList TPreviewForm::LegendTexts() const {
  QStringList texts;
  for (const QLabel& text : legend_texts_) {
    if (!text.isHidden()) texts.append(text.text());
  }
  return texts;
}

}  // namespace quillmere
