#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>

#include "app/gui/job_button_icon.h"
#include "app/gui/main_form.h"

// The controls of the main window: their names, places and order, and the
// events they forward to the presenter.

namespace quillmere {

namespace {

// The design sizes of the buttons, and the gaps between the controls.
constexpr QSize kJobButtonSize{185, 33};
constexpr QSize kAboutButtonSize{94, 33};
constexpr QSize kWideButtonSize{281, 33};
constexpr int kPanelMargin = 8;
constexpr int kPanelBottomMargin = 4;
constexpr int kSectionSpacing = 20;  // between the buttons and the first label
constexpr int kLabelSpacing = 3;     // between a label, its field and the next label
constexpr int kBoxSpacing = 7;       // between a field and the check box beside it
// The help text keeps this many lines when the window is made small.
constexpr int kMemoMinimumLines = 4;

}  // namespace

// The lines, the document's margins, the frame and the horizontal scroll
// bar.
int TMainForm::MemoHeight(const QPlainTextEdit& memo, int lines) {
  const int text = lines * memo.fontMetrics().lineSpacing();
  const int margins = 2 * static_cast<int>(memo.document()->documentMargin());
  const int frame = 2 * memo.frameWidth();
  const int scroll_bar = memo.horizontalScrollBar()->sizeHint().height();
  return text + margins + frame + scroll_bar;
}

void TMainForm::BuildPanel() {
  Panel1.setFrameShape(QFrame::NoFrame);
  const QIcon job_icon = JobButtonIcon();
  for (QPushButton* button : JobButtons()) {
    button->setIcon(job_icon);
    button->setIconSize(kJobButtonIconSize);
  }
  AboutBtn.setIcon(HelpButtonIcon());
  for (QCheckBox& box : ModeBoxes) box.setParent(&Panel1);
}

// The panel's controls in the places of the window's design at their
// design sizes, each grown where its text (a translation, a larger font)
// needs more, so that the window takes the size its contents need at any
// scale.
void TMainForm::LayOutPanel() {
  BitBtn1.setMinimumSize(kJobButtonSize);
  AboutBtn.setMinimumSize(kAboutButtonSize);
  BitBtn2.setMinimumSize(kWideButtonSize);
  BitBtn4.setMinimumSize(kWideButtonSize);
  job_button_grid_.setSpacing(0);
  job_button_grid_.addWidget(&BitBtn1, 0, 0);
  job_button_grid_.addWidget(&AboutBtn, 0, 1);
  job_button_grid_.addWidget(&BitBtn2, 1, 0, 1, 2);
  job_button_grid_.addWidget(&BitBtn4, 1, 2);
  job_button_grid_.setColumnStretch(3, 1);

  panel_layout_.setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelBottomMargin);
  panel_layout_.setSpacing(kLabelSpacing);
  panel_layout_.addLayout(&job_button_grid_);
  panel_layout_.addSpacing(kSectionSpacing);
  // Each setting's label above the row of its field and the mode boxes
  // beside it; the count fields line up with the deviation field.
  QLabel* const labels[] = {&Label3, &Label1, &Label2, &Label4};
  for (int field = 0; field < kNumberFieldCount; ++field) {
    QHBoxLayout& row = field_rows_[field];
    row.setSpacing(kBoxSpacing);
    FieldWidget(field).setMinimumWidth(AbweichEd.sizeHint().width());
    row.addWidget(&FieldWidget(field));
    for (const int box : ModeBoxesBeside(field)) row.addWidget(&ModeBoxes[box]);
    row.addStretch(1);
    panel_layout_.addWidget(labels[field]);
    panel_layout_.addLayout(&row);
  }

  client_layout_.setContentsMargins(0, 0, 0, 0);
  client_layout_.setSpacing(0);
  client_layout_.addWidget(&Panel1);
  client_layout_.addWidget(&Memo1, 1);
}

void TMainForm::BuildMemo() {
  Memo1.setReadOnly(true);
  Memo1.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Memo1.setFocusPolicy(Qt::StrongFocus);
  Memo1.setTabChangesFocus(true);
  Memo1.setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // On a small screen the help text gives way to the controls and scrolls.
  Memo1.setMinimumHeight(MemoHeight(Memo1, kMemoMinimumLines));
}

void TMainForm::BuildMenu() {
  setMenuBar(&MainMenu1);
  MainMenu1.addMenu(&Sprache1);
  language_group_.setObjectName(QStringLiteral("LanguageGroup"));
  language_group_.setExclusive(true);
  for (QAction* item : LanguageItems()) {
    item->setCheckable(true);
    language_group_.addAction(item);
    Sprache1.addAction(item);
  }
  Deutsch1.setChecked(true);
  N1.setSeparator(true);
  Sprache1.addAction(&N1);
  Sprache1.addAction(&bersetzen1);
  MainMenu1.addMenu(&Hilfe1);
  Hilfe1.addAction(&ber1);
}

// Below the help text: on the left the result line, after a successful job
// with "Vorschau..." before it; while a job runs, its phase, a progress bar
// and the button that stops it on the right.
void TMainForm::BuildStatusBar() {
  StatusBar1.setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1.setSizeGripEnabled(false);
  setStatusBar(&StatusBar1);
  StatusBar1.addWidget(&PreviewBtn);
  PreviewBtn.hide();
  ResultLabel.setObjectName(QStringLiteral("ResultLabel"));
  // A long result line takes a second line rather than widening the
  // window or losing its end, which may say why nothing was done.
  ResultLabel.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  ResultLabel.setWordWrap(true);
  StatusBar1.addWidget(&ResultLabel, 1);
  ProgressLabel.setObjectName(QStringLiteral("ProgressLabel"));
  ProgressBar1.setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1.setFixedWidth(160);
  for (QWidget* widget : {static_cast<QWidget*>(&ProgressLabel),
                          static_cast<QWidget*>(&ProgressBar1),
                          static_cast<QWidget*>(&CancelBtn)}) {
    StatusBar1.addPermanentWidget(widget);
    widget->hide();
  }
  progress_timer_.setInterval(100);
}

void TMainForm::ConnectHandlers() {
  for (int button = 0; button < kJobButtonCount; ++button) {
    connect(JobButtons()[button], &QPushButton::clicked, this,
            [this, button] { presenter_.JobButtonClicked(kJobButtons[button].mode); });
  }
  connect(&AboutBtn, &QPushButton::clicked, this, [this] { about_box_->exec(); });
  connect(&ber1, &QAction::triggered, this, [this] { about_box_->exec(); });
  connect(&bersetzen1, &QAction::triggered, this, &TMainForm::OpenTranslationEditor);
  for (int number = kGerman; number <= kPortuguese; ++number) {
    connect(LanguageItems()[number], &QAction::triggered, this,
            [this, number] { presenter_.LanguageChosen(number); });
  }
  connect(&CancelBtn, &QPushButton::clicked, this, [this] { presenter_.CancelClicked(); });
  // Esc stops a running job wherever the focus is in the window.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { presenter_.CancelClicked(); });
  connect(&PreviewBtn, &QPushButton::clicked, this, [this] { presenter_.PreviewClicked(); });
  connect(&progress_timer_, &QTimer::timeout, this, [this] { presenter_.ProgressTick(); });
  for (int box = 0; box < kModeBoxCount; ++box) {
    connect(&ModeBoxes[box], &QCheckBox::toggled, this,
            [this, box](bool ticked) { presenter_.ModeBoxClicked(box, ticked); });
  }
}

// Reading order, as the presenter gives it.
void TMainForm::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const std::string_view name : MainWindowTabOrder()) {
    QWidget* const next = findChild<QWidget*>(QLatin1String(name.data(), name.size()));
    if (previous != nullptr && next != nullptr) setTabOrder(previous, next);
    if (next != nullptr) previous = next;
  }
}

}  // namespace quillmere
