#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>

#include "app/gui/job_button_icon.h"
#include "app/gui/main_form.h"
#include "app/gui/main_form_parts.h"
#include "app/gui/shared_texts.h"

// The controls of the main window: their names, places, texts and order.

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
int main_form::MemoHeight(const QPlainTextEdit& memo, int lines) {
  const int text = lines * memo.fontMetrics().lineSpacing();
  const int margins = 2 * static_cast<int>(memo.document()->documentMargin());
  const int frame = 2 * memo.frameWidth();
  const int scroll_bar = memo.horizontalScrollBar()->sizeHint().height();
  return text + margins + frame + scroll_bar;
}

void TMainForm::BuildPanel() {
  Panel1.setObjectName(QStringLiteral("Panel1"));
  Panel1.setFrameShape(QFrame::NoFrame);

  const QIcon job_icon = JobButtonIcon();
  const struct {
    QPushButton& button;
    const char* name;
    QString text;
  } job_buttons[] = {
      {BitBtn1, "BitBtn1", TableText(kMainWindow, "BitBtn1")},
      {BitBtn2, "BitBtn2", TableText(kMainWindow, "BitBtn2")},
      {BitBtn4, "BitBtn4", TableText(kMainWindow, "BitBtn4")},
  };
  for (const auto& job_button : job_buttons) {
    job_button.button.setObjectName(QLatin1String(job_button.name));
    job_button.button.setText(job_button.text);
    job_button.button.setIcon(job_icon);
    job_button.button.setIconSize(kJobButtonIconSize);
  }
  AboutBtn.setObjectName(QStringLiteral("AboutBtn"));
  AboutBtn.setText(TableText(kMainWindow, "AboutBtn"));
  AboutBtn.setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));

  const struct {
    NumericField& field;
    const char* name;
  } fields[] = {
      {AbweichEd, "AbweichEd"},
      {TestEd, "TestEd"},
      {Test2Ed, "Test2Ed"},
      {AbweichLinEd, "AbweichLinEd"},
  };
  for (const auto& field : fields) field.field.setObjectName(QLatin1String(field.name));

  Label3.setObjectName(QStringLiteral("Label3"));
  Label1.setObjectName(QStringLiteral("Label1"));
  Label2.setObjectName(QStringLiteral("Label2"));
  Label4.setObjectName(QStringLiteral("Label4"));
  Label3.setText(TableText(kMainWindow, "Label3"));
  Label1.setText(TableText(kMainWindow, "Label1"));
  Label2.setText(TableText(kMainWindow, "Label2"));
  Label4.setText(TableText(kMainWindow, "Label4"));
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

  // The count fields line up with the deviation field above them.
  for (NumericField* field : {&TestEd, &Test2Ed}) {
    field->setMinimumWidth(AbweichEd.sizeHint().width());
  }
  deviation_row_.setSpacing(kBoxSpacing);
  deviation_row_.addWidget(&AbweichEd);
  deviation_row_.addWidget(&ExactBox);
  deviation_row_.addStretch(1);
  join_tolerance_row_.setSpacing(kBoxSpacing);
  join_tolerance_row_.addWidget(&AbweichLinEd);
  join_tolerance_row_.addWidget(&ContoursBox);
  join_tolerance_row_.addStretch(1);

  panel_layout_.setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelBottomMargin);
  panel_layout_.setSpacing(kLabelSpacing);
  panel_layout_.addLayout(&job_button_grid_);
  panel_layout_.addSpacing(kSectionSpacing);
  // Each setting's label above its field, or above the row of its field and
  // check box.
  const struct {
    QLabel& label;
    NumericField& field;
    QBoxLayout* row;
  } settings[] = {
      {Label3, AbweichEd, &deviation_row_},
      {Label1, TestEd, nullptr},
      {Label2, Test2Ed, nullptr},
      {Label4, AbweichLinEd, &join_tolerance_row_},
  };
  for (const auto& setting : settings) {
    panel_layout_.addWidget(&setting.label);
    if (setting.row != nullptr) {
      panel_layout_.addLayout(setting.row);
    } else {
      panel_layout_.addWidget(&setting.field, 0, Qt::AlignLeft);
    }
  }

  client_layout_.setContentsMargins(0, 0, 0, 0);
  client_layout_.setSpacing(0);
  client_layout_.addWidget(&Panel1);
  client_layout_.addWidget(&Memo1, 1);
}

void TMainForm::BuildMemo() {
  Memo1.setObjectName(QStringLiteral("Memo1"));
  Memo1.setReadOnly(true);
  Memo1.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Memo1.setFocusPolicy(Qt::StrongFocus);
  Memo1.setTabChangesFocus(true);
  Memo1.setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QStringList lines;
  for (const std::u16string_view line : HelpLines()) lines.append(FromTable(line));
  Memo1.setPlainText(lines.join(QLatin1Char('\n')));
  // On a small screen the help text gives way to the controls and scrolls.
  Memo1.setMinimumHeight(main_form::MemoHeight(Memo1, kMemoMinimumLines));
}

void TMainForm::BuildMenu() {
  MainMenu1.setObjectName(QStringLiteral("MainMenu1"));
  setMenuBar(&MainMenu1);

  Sprache1.setObjectName(QStringLiteral("Sprache1"));
  Sprache1.setTitle(TableText(kMainWindow, "Sprache1"));
  MainMenu1.addMenu(&Sprache1);
  language_group_.setObjectName(QStringLiteral("LanguageGroup"));
  language_group_.setExclusive(true);
  const struct {
    QAction& item;
    const char* name;
    QString text;
  } languages[] = {
      {Deutsch1, "Deutsch1", TableText(kMainWindow, "Deutsch1")},
      {English1, "English1", TableText(kMainWindow, "English1")},
      {Franais1, "Franais1", TableText(kMainWindow, "Franais1")},
      {Nederlands1, "Nederlands1", TableText(kMainWindow, "Nederlands1")},
      {Italian1, "Italian1", TableText(kMainWindow, "Italian1")},
      {Spanish1, "Spanish1", TableText(kMainWindow, "Spanish1")},
      {Portuguese1, "Portuguese1", TableText(kMainWindow, "Portuguese1")},
  };
  for (const auto& language : languages) {
    language.item.setObjectName(QLatin1String(language.name));
    language.item.setText(language.text);
    language.item.setCheckable(true);
    language_group_.addAction(&language.item);
    Sprache1.addAction(&language.item);
  }
  Deutsch1.setChecked(true);
  N1.setObjectName(QStringLiteral("N1"));
  N1.setSeparator(true);
  Sprache1.addAction(&N1);
  bersetzen1.setObjectName(QStringLiteral("bersetzen1"));
  bersetzen1.setText(TableText(kMainWindow, "bersetzen1"));
  Sprache1.addAction(&bersetzen1);

  Hilfe1.setObjectName(QStringLiteral("Hilfe1"));
  Hilfe1.setTitle(TableText(kMainWindow, "Hilfe1"));
  MainMenu1.addMenu(&Hilfe1);
  ber1.setObjectName(QStringLiteral("ber1"));
  ber1.setText(TableText(kMainWindow, "ber1"));
  Hilfe1.addAction(&ber1);

  OpenDialog1.setObjectName(QStringLiteral("OpenDialog1"));
  SaveDialog1.setObjectName(QStringLiteral("SaveDialog1"));
}

void TMainForm::ConnectHandlers() {
  connect(&BitBtn1, &QPushButton::clicked, this, &TMainForm::BitBtn1Click);
  connect(&BitBtn2, &QPushButton::clicked, this, &TMainForm::BitBtn2Click);
  connect(&BitBtn4, &QPushButton::clicked, this, &TMainForm::BitBtn4Click);
  connect(&AboutBtn, &QPushButton::clicked, this, &TMainForm::AboutBtnClick);
  connect(&ber1, &QAction::triggered, this, &TMainForm::ber1Click);
  connect(&bersetzen1, &QAction::triggered, this, &TMainForm::bersetzen1Click);
  connect(&Deutsch1, &QAction::triggered, this, &TMainForm::Deutsch1Click);
  connect(&English1, &QAction::triggered, this, &TMainForm::English1Click);
  connect(&Franais1, &QAction::triggered, this, &TMainForm::Franais1Click);
  connect(&Nederlands1, &QAction::triggered, this, &TMainForm::Nederlands1Click);
  connect(&Italian1, &QAction::triggered, this, &TMainForm::Italian1Click);
  connect(&Spanish1, &QAction::triggered, this, &TMainForm::Spanish1Click);
  connect(&Portuguese1, &QAction::triggered, this, &TMainForm::Portuguese1Click);
  connect(&CancelBtn, &QPushButton::clicked, this, &TMainForm::CancelBtnClick);
  connect(&PreviewBtn, &QPushButton::clicked, this, &TMainForm::PreviewBtnClick);
  connect(&progress_timer_, &QTimer::timeout, this, &TMainForm::ShowProgress);
  connect(&ExactBox, &QCheckBox::toggled, this, &TMainForm::ExactBoxToggled);
  connect(&ContoursBox, &QCheckBox::toggled, this,
          [this](bool checked) { jobs.settings.contours = checked; });
}

// Below the help text: on the left the result line, after a successful job
// with "Vorschau..." before it; while a job runs, its phase, a progress bar
// and the button that stops it on the right.
void TMainForm::BuildStatusBar() {
  StatusBar1.setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1.setSizeGripEnabled(false);
  setStatusBar(&StatusBar1);
  PreviewBtn.setObjectName(QStringLiteral("PreviewBtn"));
  PreviewBtn.setText(TableText(kMainWindow, "PreviewBtn"));
  StatusBar1.addWidget(&PreviewBtn);
  PreviewBtn.hide();
  ResultLabel.setObjectName(QStringLiteral("ResultLabel"));
  // A long result line is cut rather than widening the window.
  ResultLabel.setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  StatusBar1.addWidget(&ResultLabel, 1);
  ProgressLabel.setObjectName(QStringLiteral("ProgressLabel"));
  ProgressBar1.setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1.setFixedWidth(160);
  CancelBtn.setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn.setText(TableText(kMainWindow, "CancelBtn"));
  for (QWidget* widget : {static_cast<QWidget*>(&ProgressLabel),
                          static_cast<QWidget*>(&ProgressBar1),
                          static_cast<QWidget*>(&CancelBtn)}) {
    StatusBar1.addPermanentWidget(widget);
    widget->hide();
  }
  progress_timer_.setInterval(100);
}

// The two modes that the check boxes switch on; both start off.
void TMainForm::BuildModeBoxes() {
  ExactBox.setObjectName(QStringLiteral("ExactBox"));
  ExactBox.setText(TableText(kMainWindow, "ExactBox"));
  ContoursBox.setObjectName(QStringLiteral("ContoursBox"));
  ContoursBox.setText(TableText(kMainWindow, "ContoursBox"));
}

void TMainForm::ExactBoxToggled(bool checked) {
  jobs.settings.exact_distances = checked;
  // The exact measure needs no test points.
  TestEd.setEnabled(!checked);
  Test2Ed.setEnabled(!checked);
}

void TMainForm::SetTabOrder() {
  QWidget* const order[] = {&BitBtn1, &AbweichEd, &ExactBox,     &TestEd,      &Test2Ed,
                            &AboutBtn, &BitBtn2,  &BitBtn4,      &AbweichLinEd, &ContoursBox,
                            &Memo1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

}  // namespace quillmere
