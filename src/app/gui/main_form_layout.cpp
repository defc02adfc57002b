#include <QStyle>

#include "app/gui/job_button_icon.h"
#include "app/gui/main_form.h"
#include "app/gui/main_form_parts.h"
#include "app/gui/shared_texts.h"

// The controls of the main window: their names, places, texts and order.

namespace quillmere {

namespace {

using main_form::kClientHeight;
using main_form::kClientWidth;
using main_form::kPanelHeight;

void PlaceLabel(QLabel& label, int left, int top, const QString& text) {
  label.setText(text);
  label.move(left, top);
  label.adjustSize();
}

}  // namespace

void TMainForm::BuildPanel() {
  Panel1.setObjectName(QStringLiteral("Panel1"));
  Panel1.setFrameShape(QFrame::NoFrame);
  Panel1.setGeometry(0, 0, kClientWidth, kPanelHeight);

  const QIcon job_icon = JobButtonIcon();
  const struct {
    QPushButton& button;
    const char* name;
    QRect geometry;
    QString text;
  } job_buttons[] = {
      {BitBtn1, "BitBtn1", {8, 8, 185, 33}, TableText(kMainWindow, "BitBtn1")},
      {BitBtn2, "BitBtn2", {8, 40, 281, 33}, TableText(kMainWindow, "BitBtn2")},
      {BitBtn4, "BitBtn4", {288, 40, 281, 33}, TableText(kMainWindow, "BitBtn4")},
  };
  for (const auto& job_button : job_buttons) {
    job_button.button.setObjectName(QLatin1String(job_button.name));
    job_button.button.setGeometry(job_button.geometry);
    job_button.button.setText(job_button.text);
    job_button.button.setIcon(job_icon);
    job_button.button.setIconSize(kJobButtonIconSize);
  }

  AboutBtn.setObjectName(QStringLiteral("AboutBtn"));
  AboutBtn.setGeometry(195, 8, 94, 33);
  AboutBtn.setText(TableText(kMainWindow, "AboutBtn"));
  AboutBtn.setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));

  const struct {
    NumericField& field;
    const char* name;
    QRect geometry;
  } fields[] = {
      {AbweichEd, "AbweichEd", {8, 112, 73, 21}},
      {TestEd, "TestEd", {8, 152, 73, 21}},
      {Test2Ed, "Test2Ed", {8, 192, 73, 21}},
      {AbweichLinEd, "AbweichLinEd", {8, 232, 97, 21}},
  };
  for (const auto& field : fields) {
    field.field.setObjectName(QLatin1String(field.name));
    field.field.setGeometry(field.geometry);
  }

  Label3.setObjectName(QStringLiteral("Label3"));
  Label1.setObjectName(QStringLiteral("Label1"));
  Label2.setObjectName(QStringLiteral("Label2"));
  Label4.setObjectName(QStringLiteral("Label4"));
  PlaceLabel(Label3, 8, 96, TableText(kMainWindow, "Label3"));
  PlaceLabel(Label1, 8, 136, TableText(kMainWindow, "Label1"));
  PlaceLabel(Label2, 8, 176, TableText(kMainWindow, "Label2"));
  PlaceLabel(Label4, 8, 216, TableText(kMainWindow, "Label4"));
}

void TMainForm::BuildMemo() {
  Memo1.setObjectName(QStringLiteral("Memo1"));
  Memo1.setGeometry(0, kPanelHeight, kClientWidth, kClientHeight - kPanelHeight);
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

// Below the help text: the result line on the left; while a job runs, its
// phase, a progress bar and the button that stops it on the right.
void TMainForm::BuildStatusBar() {
  StatusBar1.setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1.setSizeGripEnabled(false);
  setStatusBar(&StatusBar1);
  ResultLabel.setObjectName(QStringLiteral("ResultLabel"));
  StatusBar1.addWidget(&ResultLabel, 1);
  PreviewBtn.setObjectName(QStringLiteral("PreviewBtn"));
  PreviewBtn.setText(TableText(kMainWindow, "PreviewBtn"));
  StatusBar1.addWidget(&PreviewBtn);
  PreviewBtn.hide();
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
  ExactBox.move(88, 113);
  ExactBox.adjustSize();
  ContoursBox.setObjectName(QStringLiteral("ContoursBox"));
  ContoursBox.setText(TableText(kMainWindow, "ContoursBox"));
  ContoursBox.move(112, 233);
  ContoursBox.adjustSize();
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
