#include "app/gui/main_form.h"

#include <algorithm>
#include <clocale>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLayout>
#include <QLocale>
#include <QScreen>
#include <QShowEvent>
#include <QTextDocument>

#include "app/gui/main_form_parts.h"
#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"
#include "app/gui/window_placement.h"
#include "app/gui/window_translator.h"
#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "i18n/translation_startup.h"

namespace quillmere {

namespace {

using main_form::FileNameBytes;

const QString kDxfFilterText = FromTable(kDxfFilter);
const QString kDxfExtensionText = FromTable(kDxfExtension);

}  // namespace

TMainForm::TMainForm(MessageSink& messages, FileDialogRunner& file_dialogs, QWidget* parent)
    : QMainWindow(parent),
      OpenDialog1(FileDialogKind::kOpen, kDxfFilterText, kDxfExtensionText, this),
      SaveDialog1(FileDialogKind::kSave, kDxfFilterText, kDxfExtensionText, this),
      messages_(&messages),
      file_dialogs_(&file_dialogs) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(TableCaption(kMainWindow));
  setFont(WindowFont());

  ClientArea.setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(&ClientArea);
  BuildPanel();
  BuildMemo();
  BuildMenu();
  BuildStatusBar();
  BuildModeBoxes();
  LayOutPanel();
  ConnectHandlers();
  SetTabOrder();

  // Sizes as shown: the style adjusts the controls' fonts and margins when
  // it polishes them.
  ensurePolished();
  layout()->activate();
  resize(InitialSize());
  PlaceOnScreen(*this);
  // Every control in its place already before the first display, from the
  // outer layout inwards.
  for (QLayout* nested : {layout(), static_cast<QLayout*>(&client_layout_),
                          static_cast<QLayout*>(&panel_layout_)}) {
    nested->activate();
  }

  FormCreate();
  about_box_ = std::make_unique<TAboutBox>();
  translate_form_ = std::make_unique<TTranslateForm>();
  preview_form_ = std::make_unique<TPreviewForm>(messages, this);
}

TMainForm::~TMainForm() = default;

void TMainForm::SetCommandLine(std::vector<std::string> arguments) {
  command_line_ = std::move(arguments);
}

std::vector<QWidget*> TMainForm::Windows() {
  return {this, about_box_.get(), translate_form_.get(), preview_form_.get()};
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
          &bersetzen1, &Hilfe1,      &ber1,        &OpenDialog1, &SaveDialog1, &CancelBtn,
          &PreviewBtn, &ExactBox,    &ContoursBox};
}

// What the controls and every line of the help text need, as far as the
// screen holds it; the help text shrinks and scrolls on a smaller one.
QSize TMainForm::InitialSize() const {
  const int memo_lines = Memo1.document()->blockCount() + 1;
  const int memo_growth =
      std::max(0, main_form::MemoHeight(Memo1, memo_lines) - Memo1.minimumHeight());
  return SizeOnScreen(*this, minimumSizeHint() + QSize(0, memo_growth));
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
  qt_translations_.Use(language());
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
  // A running job is stopped first; the window closes once it has.
  if (JobRunning()) {
    close_when_stopped_ = true;
    job_thread_.RequestStop();
    event->ignore();
    return;
  }
  // Ending the application closes its windows too; after a command-line run
  // that is no closing by the user, and the saved language stays as it was.
  if (!termination_requested_) FormClose();
  QMainWindow::closeEvent(event);
}

void TMainForm::AboutBtnClick() { about_box_->exec(); }
void TMainForm::ber1Click() { about_box_->exec(); }
void TMainForm::bersetzen1Click() {
  translate_form_->FillStringGrid();
  translate_form_->exec();
  // The windows take up changed translations only at the next start.
  ShowRestartMessage();
}

}  // namespace quillmere
