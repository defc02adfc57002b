#include "app/gui/main_form.h"

#include <clocale>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLayout>
#include <QLocale>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include "app/command_line.h"
#include "app/gui/job_button_icon.h"
#include "app/gui/window_font.h"
#include "app/gui/window_translator.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "i18n/translation_startup.h"

namespace quillmere {

namespace {

constexpr int kClientWidth = 577;
constexpr int kClientHeight = 593;
constexpr int kPanelHeight = 257;

const QString kDxfFilter = QStringLiteral("DXF-Dateien (*.dxf)|*.dxf");
const QString kDxfExtension = QStringLiteral("dxf");

// The help text, one entry per line; two lines end in a blank.
const char16_t* const kHelpLines[] = {
    u"Die Linien müssen in Form einer \"Polyline\" vorliegen.",
    u"Falls viele einzelne Linien vorliegen, müssen diese zunächst zu einer",
    u"Polylinie verbunden werden. Falls viele einzelne Polylinien vorliegen,",
    u"müssen diese zunächst verbunden werden.",
    u"",
    u"Jeder Kreisbogen wird in x (z.B. 100) Teile und jede Linie wird",
    u"in y (z.B. 100) Teile geteilt. Es wird für jede Teilungsstelle der",
    u"Linie die am nächsten liegende Teilungsstelle des Kreisbogens gesucht.",
    u"",
    u"Der Abstand zwischen Linie und Kreisbogen darf hier zwischen diesen",
    u"zwei Punkten nicht größer als die maximale Abweichung sein.",
    u"",
    u"Wenn in der DXF Datei große DXF Einheiten benutzt werden, muss",
    u"die maximale Abweichung entsprechend größer gewählt werden.",
    u"Bei kleineren Einheiten entsprechend kleiner. Dies muss ausgetestet",
    u"werden. Bei zu großen Wert werden auch gerade Linien in Kreisbögen",
    u"umgewandelt. Bei zu kleinem Wert werden nicht alle Kreisbögen mehr ",
    u"erkannt.",
    u"",
    u"Bei mehr Teststellen wird die Konvertierung entsprechend langsamer.",
    u"Die nötige Anzahl an Tests ist das Produkt aus den Teststellen für den Kreis",
    u"und den Teststellen für die Line. ",
    u"Bei je 100 Teststellen werden also 100 x 100 = 10000 Tests durchgeführt.",
};

// File names reach the jobs as the bytes the file system uses.
std::string FileNameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

void PlaceLabel(QLabel& label, int left, int top, const QString& text) {
  label.setText(text);
  label.move(left, top);
  label.adjustSize();
}

}  // namespace

TMainForm::TMainForm(MessageSink& messages, FileDialogRunner& file_dialogs, QWidget* parent)
    : QMainWindow(parent),
      jobs(messages),
      OpenDialog1(FileDialogKind::kOpen, kDxfFilter, kDxfExtension, this),
      SaveDialog1(FileDialogKind::kSave, kDxfFilter, kDxfExtension, this),
      messages_(&messages),
      file_dialogs_(&file_dialogs) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Quillmere 1.0"));
  setFont(WindowFont());

  ClientArea.setObjectName(QStringLiteral("ClientArea"));
  ClientArea.setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(&ClientArea);
  BuildPanel();
  BuildMemo();
  BuildMenu();
  ConnectHandlers();
  SetTabOrder();

  // A single fixed border: the window keeps the size its client area needs.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout()->activate();
  const QRect screen_area = screen()->geometry();
  move(screen_area.center() - rect().center());

  FormCreate();
  about_box_ = std::make_unique<TAboutBox>();
  translate_form_ = std::make_unique<TTranslateForm>();
}

TMainForm::~TMainForm() = default;

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
      {BitBtn1, "BitBtn1", {8, 8, 185, 33}, QStringLiteral("DXF Datei konvertieren...")},
      {BitBtn2, "BitBtn2", {8, 40, 281, 33}, QStringLiteral("Linien in Polylinien konvertieren...")},
      {BitBtn4, "BitBtn4", {288, 40, 281, 33}, QStringLiteral("Polylinien verbinden...")},
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
  AboutBtn.setText(QStringLiteral("Über..."));
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
  PlaceLabel(Label3, 8, 96,
             QStringLiteral("Maximale Abweichung von Line und Kreisbogen in DXF Einheiten:"));
  PlaceLabel(Label1, 8, 136, QStringLiteral("Kreisbogen an sovielen Stellen testen:"));
  PlaceLabel(Label2, 8, 176, QStringLiteral("Linie an sovielen Stellen testen:"));
  PlaceLabel(Label4, 8, 216,
             QStringLiteral("Akzeptiere eine Abweichung von X DXF Einheiten, beim "
                            "Zusammenfügen von Linienstückchen:"));
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
  for (const char16_t* line : kHelpLines) lines.append(QString::fromUtf16(line));
  Memo1.setPlainText(lines.join(QLatin1Char('\n')));
}

void TMainForm::BuildMenu() {
  MainMenu1.setObjectName(QStringLiteral("MainMenu1"));
  setMenuBar(&MainMenu1);

  Sprache1.setObjectName(QStringLiteral("Sprache1"));
  Sprache1.setTitle(QStringLiteral("Sprache"));
  MainMenu1.addMenu(&Sprache1);
  language_group_.setObjectName(QStringLiteral("LanguageGroup"));
  language_group_.setExclusive(true);
  const struct {
    QAction& item;
    const char* name;
    QString text;
  } languages[] = {
      {Deutsch1, "Deutsch1", QStringLiteral("Deutsch")},
      {English1, "English1", QStringLiteral("English")},
      {Franais1, "Franais1", QStringLiteral("Français")},
      {Nederlands1, "Nederlands1", QStringLiteral("Nederlands")},
      {Italian1, "Italian1", QStringLiteral("Italian")},
      {Spanish1, "Spanish1", QStringLiteral("Spanish")},
      {Portuguese1, "Portuguese1", QStringLiteral("Portuguese")},
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
  bersetzen1.setText(QStringLiteral("Übersetzen..."));
  Sprache1.addAction(&bersetzen1);

  Hilfe1.setObjectName(QStringLiteral("Hilfe1"));
  Hilfe1.setTitle(QStringLiteral("Hilfe"));
  MainMenu1.addMenu(&Hilfe1);
  ber1.setObjectName(QStringLiteral("ber1"));
  ber1.setText(QStringLiteral("Über..."));
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
}

void TMainForm::SetTabOrder() {
  QWidget* const order[] = {&BitBtn1, &AbweichEd, &TestEd, &Test2Ed,      &AboutBtn,
                            &BitBtn2, &BitBtn4,   &AbweichLinEd, &Memo1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void TMainForm::SetCommandLine(std::vector<std::string> arguments) {
  command_line_ = std::move(arguments);
}

std::vector<QWidget*> TMainForm::Windows() {
  return {this, about_box_.get(), translate_form_.get()};
}

// The window owns every component of its definition directly, in the order
// of that definition: the panel and its controls, the memo, the menu bar,
// each menu and menu item, and the file dialogs. A menu item belongs to the
// window, not to the menu that shows it, so the menu bar, which has no texts
// to translate, owns nothing.
QObjectList TMainForm::Components() {
  return {&Panel1,     &BitBtn1,     &AbweichEd,   &TestEd,     &Test2Ed,      &AboutBtn,
          &BitBtn2,    &BitBtn4,     &AbweichLinEd, &Label3,    &Label1,       &Label2,
          &Label4,     &Memo1,       &MainMenu1,   &Sprache1,   &Deutsch1,     &English1,
          &Franais1,   &Nederlands1, &Italian1,    &Spanish1,   &Portuguese1,  &N1,
          &bersetzen1, &Hilfe1,      &ber1,        &OpenDialog1, &SaveDialog1};
}

void TMainForm::FormCreate() {
  progpath = FileNameBytes(QCoreApplication::applicationDirPath());
  if (progpath.empty() || progpath.back() != '/') progpath += '/';
  // "." is the decimal separator for the whole run: for the C library, which
  // the number formatting of the core uses, and for Qt.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
  AbweichEd.SetValue(kDeviationProperties.start);
  AbweichLinEd.SetValue(kJoinToleranceProperties.start);
  StartTranslations();
  PlaceLanguageCheckMark();
}

void TMainForm::FormShow() {
  if (isfirsttime) return;
  isfirsttime = true;
  ApplySavedLanguage();
  if (languagesetto() != kGerman) TranslateWindows();
  QGuiApplication::setApplicationDisplayName(
      TranslatedText(QGuiApplication::applicationDisplayName()));
  if (command_line_.size() >= 3) CommandLineCheck();
}

void TMainForm::FormClose() { SaveOptions(); }

void TMainForm::TranslateWindows() {
  QObjectList windows;
  for (QWidget* window : Windows()) windows.append(window);
  ApplicationComponents application(windows);
  TranslateComponents(application);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Ending the application closes its windows too; after a command-line run
  // that is no closing by the user, and the saved language stays as it was.
  if (!termination_requested_) FormClose();
  QMainWindow::closeEvent(event);
}

void TMainForm::CommandLineCheck() {
  const std::optional<CommandLineRun> run = CheckCommandLine(command_line_, jobs.settings);
  if (!run) return;
  ShowSettings();
  jobs.Run(run->mode, run->input, run->output);
  RequestTermination();
}

void TMainForm::RequestTermination() {
  termination_requested_ = true;
  // Only asks the event loop to stop: the program ends once control returns
  // to it, also when the loop has not started yet.
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TMainForm::BitBtn1Click() { RunJobWithDialogs(JobMode::kFindArcs); }
void TMainForm::BitBtn2Click() { RunJobWithDialogs(JobMode::kChainLines); }
void TMainForm::BitBtn4Click() { RunJobWithDialogs(JobMode::kJoinPolylines); }

void TMainForm::RunJobWithDialogs(JobMode mode) {
  // A button started by its shortcut or by the program takes no focus, so
  // text still being typed in a field is committed here.
  CommitNumericFields();
  if (!OpenDialog1.Execute(*file_dialogs_, this)) return;
  if (!SaveDialog1.Execute(*file_dialogs_, this)) return;
  jobs.Run(mode, FileNameBytes(OpenDialog1.FileName()), FileNameBytes(SaveDialog1.FileName()));
}

void TMainForm::CommitNumericFields() {
  AbweichEd.Commit();
  TestEd.Commit();
  Test2Ed.Commit();
  AbweichLinEd.Commit();
}

void TMainForm::ShowSettings() {
  AbweichEd.ShowSetting();
  TestEd.ShowSetting();
  Test2Ed.ShowSetting();
  AbweichLinEd.ShowSetting();
}

void TMainForm::AboutBtnClick() { about_box_->exec(); }
void TMainForm::ber1Click() { about_box_->exec(); }
void TMainForm::bersetzen1Click() {
  translate_form_->FillStringGrid();
  translate_form_->exec();
  // The windows take up changed translations only at the next start.
  ShowRestartMessage();
}

void TMainForm::ShowRestartMessage() {
  messages_->ShowInformation(CatalogueText(kTextTranslate), CatalogueText(kTextRestart));
}

QAction& TMainForm::LanguageItem(int language_number) {
  QAction* const items[] = {&Deutsch1, &English1, &Franais1,   &Nederlands1,
                            &Italian1, &Spanish1, &Portuguese1};
  if (language_number < kGerman || language_number > kPortuguese) return Deutsch1;
  return *items[language_number];
}

// The spare columns 7 to 19 have no item; Deutsch stays marked for them.
void TMainForm::PlaceLanguageCheckMark() {
  dontchlang = true;
  LanguageItem(languagesetto()).setChecked(true);
  dontchlang = false;
}

// The choice applies to messages at once, the restart message included; the
// windows keep their texts until the next start.
void TMainForm::ChooseLanguage(QAction& item, int language_number) {
  if (dontchlang) return;
  item.setChecked(true);
  SetLanguage(language_number);
  ShowRestartMessage();
}

void TMainForm::Deutsch1Click() { ChooseLanguage(Deutsch1, kGerman); }
void TMainForm::English1Click() { ChooseLanguage(English1, kEnglish); }
void TMainForm::Franais1Click() { ChooseLanguage(Franais1, kFrench); }
void TMainForm::Nederlands1Click() { ChooseLanguage(Nederlands1, kDutch); }
void TMainForm::Italian1Click() { ChooseLanguage(Italian1, kItalian); }
void TMainForm::Spanish1Click() { ChooseLanguage(Spanish1, kSpanish); }
void TMainForm::Portuguese1Click() { ChooseLanguage(Portuguese1, kPortuguese); }

}  // namespace quillmere
