#include "app/gui/main_form.h"

#include <algorithm>
#include <clocale>

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLayout>
#include <QLocale>
#include <QShowEvent>
#include <QTextDocument>

#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"
#include "app/gui/window_placement.h"
#include "i18n/language.h"
#include "i18n/translation_startup.h"
#include "i18n/translations.h"

namespace quillmere {

TMainForm::TMainForm(MessageSink& messages, FileDialogRunner& file_dialogs, QWidget* parent)
    : QMainWindow(parent), messages_(&messages), file_dialogs_(&file_dialogs) {
  setFont(WindowFont());

  ClientArea.setObjectName(QStringLiteral("ClientArea"));
  setCentralWidget(&ClientArea);
  for (int field = 0; field < kNumberFieldCount; ++field) {
    FieldWidget(field).Attach(presenter_.Field(field));
  }
  BuildPanel();
  BuildMemo();
  BuildMenu();
  BuildStatusBar();
  NameComponents(*this, kMainWindow, Components());
  ShowWindowTexts(*this, kMainWindow, Components(), texts_);
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
  about_box_ = std::make_unique<TAboutBox>(texts_);
  translate_form_ = std::make_unique<TTranslateForm>(texts_);
  preview_form_ = std::make_unique<TPreviewForm>(texts_, messages, this);
}

TMainForm::~TMainForm() = default;

void TMainForm::SetCommandLine(std::vector<std::string> arguments) {
  command_line_ = std::move(arguments);
}

NumericField& TMainForm::FieldWidget(int field) {
  NumericField* const fields[] = {&AbweichEd, &TestEd, &Test2Ed, &AbweichLinEd};
  return *fields[field];
}

std::array<QPushButton*, kJobButtonCount> TMainForm::JobButtons() { return {&BitBtn1, &BitBtn2, &BitBtn4}; }

std::array<QAction*, std::size(kLanguageItems)> TMainForm::LanguageItems() {
  return {&Deutsch1, &English1, &Franais1, &Nederlands1, &Italian1, &Spanish1, &Portuguese1};
}

QCheckBox& TMainForm::ModeBox(std::string_view name) {
  for (int box = 0; box < kModeBoxCount; ++box) {
    if (kModeBoxes[box].name == name) return ModeBoxes[box];
  }
  return ModeBoxes[0];
}

// In the order of the window's table: the panel and its controls, the memo,
// the menu bar, each menu and menu item, the file dialogs (the toolkit's
// own, which exist only while shown), the status bar's buttons and the
// mode boxes.
QObjectList TMainForm::Components() {
  QObjectList components = {
      &Panel1,    &BitBtn1,      &AbweichEd, &TestEd,     &Test2Ed,  &AboutBtn,    &BitBtn2,
      &BitBtn4,   &AbweichLinEd, &Label3,    &Label1,     &Label2,   &Label4,      &Memo1,
      &MainMenu1, &Sprache1,     &Deutsch1,  &English1,   &Franais1, &Nederlands1, &Italian1,
      &Spanish1,  &Portuguese1,  &N1,        &bersetzen1, &Hilfe1,   &ber1,        nullptr,
      nullptr,    &CancelBtn,    &PreviewBtn};
  for (QCheckBox& box : ModeBoxes) components.append(&box);
  return components;
}

// What the controls and every line of the help text need, as far as the
// screen holds it; the help text shrinks and scrolls on a smaller one.
QSize TMainForm::InitialSize() const {
  const int memo_lines = Memo1.document()->blockCount() + 1;
  const int memo_growth =
      std::max(0, MemoHeight(Memo1, memo_lines) - Memo1.minimumHeight());
  return SizeOnScreen(*this, minimumSizeHint() + QSize(0, memo_growth));
}

void TMainForm::FormCreate() {
  progpath = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  if (progpath.empty() || progpath.back() != '/') progpath += '/';
  // "." is the decimal separator for the whole run: for the C library, which
  // the number formatting of the core uses, and for Qt.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
  AbweichEd.SetValue(kDeviationProperties.start);
  AbweichLinEd.SetValue(kJoinToleranceProperties.start);
  StartTranslations();
  presenter_.PlaceLanguageCheckMark();
}

void TMainForm::FormShow() {
  if (isfirsttime) return;
  isfirsttime = true;
  ApplySavedLanguage();
  qt_translations_.Use(language());
  if (languagesetto() != kGerman) {
    texts_.Translate();
    ShowAllTexts();
  }
  QGuiApplication::setApplicationDisplayName(QString::fromStdU16String(
      TranslateText(QGuiApplication::applicationDisplayName().toStdU16String())));
  presenter_.RunCommandLine(command_line_);
}

void TMainForm::ShowAllTexts() {
  ShowWindowTexts(*this, kMainWindow, Components(), texts_);
  ShowWindowTexts(*about_box_, kAboutWindow, about_box_->Components(), texts_);
  ShowWindowTexts(*translate_form_, kTranslateWindow, translate_form_->Components(), texts_);
  ShowWindowTexts(*preview_form_, kPreviewWindow, preview_form_->Components(), texts_);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!presenter_.CloseRequested()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TMainForm::OpenTranslationEditor() {
  translate_form_->FillStringGrid();
  translate_form_->exec();
  // The windows take up changed translations only at the next start.
  presenter_.ShowRestartMessage();
}

// The presenter's view.

void TMainForm::SetJobRunning(bool running) {
  for (QPushButton* button : JobButtons()) button->setEnabled(!running);
  if (running) {
    progress_timer_.start();
  } else {
    progress_timer_.stop();
  }
}

void TMainForm::ShowProgress(const std::optional<ProgressDisplay>& progress) {
  for (QWidget* widget : {static_cast<QWidget*>(&ProgressLabel),
                          static_cast<QWidget*>(&ProgressBar1),
                          static_cast<QWidget*>(&CancelBtn)}) {
    widget->setVisible(progress.has_value());
  }
  if (!progress) return;
  ProgressLabel.setText(QString::fromStdU16String(progress->phase));
  if (progress->thousandths >= 0) {
    ProgressBar1.setRange(0, 1000);
    ProgressBar1.setValue(progress->thousandths);
  } else {
    ProgressBar1.setRange(0, 0);  // busy, without a measure
  }
}

void TMainForm::EnableCancel(bool enabled) { CancelBtn.setEnabled(enabled); }

void TMainForm::ShowResult(const std::u16string& line, bool with_preview) {
  ResultLabel.setText(QString::fromStdU16String(line));
  PreviewBtn.setVisible(with_preview);
}

void TMainForm::EnableNumberField(int field, bool enabled) {
  FieldWidget(field).setEnabled(enabled);
}

void TMainForm::TickModeBox(int box, bool ticked) { ModeBoxes[box].setChecked(ticked); }

void TMainForm::CheckLanguageItem(int item) { LanguageItems()[item]->setChecked(true); }

void TMainForm::UseLanguage(int language) { qt_translations_.Use(language); }

std::optional<std::string> TMainForm::ChooseFile(const FileRequest& request) {
  return quillmere::ChooseFile(*file_dialogs_, request, this);
}

void TMainForm::OpenPreview(const JobPreviewRequest& request) {
  preview_form_->ShowJobResult(request);
}

void TMainForm::CloseWindow() { close(); }

void TMainForm::EndProgram(int exit_code) {
  if (on_termination_) on_termination_(exit_code);
}

}  // namespace quillmere
