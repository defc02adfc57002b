#include "app/presenter/main_presenter.h"

#include <algorithm>
#include <utility>

#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "i18n/options_file.h"
#include "i18n/translations.h"

namespace quillmere {

namespace {

// The German names of the phases, in the order of JobPhase.
constexpr const char16_t* kPhaseNames[] = {u"Lesen", u"Kreisbögen suchen", u"Verbinden",
                                           u"Schreiben"};

// A job shorter than this shows no progress at all.
constexpr std::chrono::milliseconds kQuietTime{500};

template <std::size_t... Index>
std::array<NumberField, kNumberFieldCount> FieldsOf(JobSettings& settings,
                                                    std::index_sequence<Index...>) {
  return {NumberField(settings.*kNumberFields[Index].setting)...};
}

}  // namespace

std::u16string PhaseText(JobPhase phase) {
  return TranslateText(kPhaseNames[static_cast<int>(phase)]);
}

std::u16string CancelledText() {
  return TranslateText(u"Abgebrochen: die Ausgabedatei ist unverändert.");
}

MainPresenter::MainPresenter(MainView& view, UiThread& ui, MessageSink& messages,
                             const ShownTexts& texts)
    : view_(view),
      messages_(messages),
      texts_(texts),
      fields_(FieldsOf(jobs.settings, std::make_index_sequence<kNumberFieldCount>())),
      session_(ui, notices_) {}

void MainPresenter::JobButtonClicked(JobMode mode) {
  if (JobRunning()) return;
  // A button pressed by its shortcut or by the program takes no focus, so
  // text still being typed in a field is committed here.
  for (NumberField& field : fields_) field.Commit();
  std::optional<std::string> input = ChooseFile(FileDialogKind::kOpen, last_input_);
  if (!input) return;
  std::optional<std::string> output = ChooseFile(FileDialogKind::kSave, last_output_);
  if (!output) return;
  StartJob(mode, std::move(*input), std::move(*output), false);
}

std::optional<std::string> MainPresenter::ChooseFile(FileDialogKind kind, std::string& last_name) {
  const bool open = kind == FileDialogKind::kOpen;
  FileRequest request;
  request.kind = kind;
  request.filter = texts_.Text(kMainWindow, open ? "OpenDialog1" : "SaveDialog1");
  request.default_extension = kDxfExtension;
  request.file_name = last_name;
  std::optional<std::string> chosen = view_.ChooseFile(request);
  if (chosen) last_name = *chosen;
  return chosen;
}

void MainPresenter::StartJob(JobMode mode, std::string input_name, std::string output_name,
                             bool from_command_line) {
  stop_requested_ = false;
  view_.ShowResult(std::u16string(), false);
  view_.SetJobRunning(true);
  job_started_ = std::chrono::steady_clock::now();
  session_.Start(jobs, mode, input_name, output_name,
                 [this, mode, input_name, output_name, from_command_line](JobOutcome outcome) {
                   JobEnded(mode, input_name, output_name, std::move(outcome), from_command_line);
                 });
}

void MainPresenter::JobEnded(JobMode mode, const std::string& input_name,
                             const std::string& output_name, JobOutcome outcome,
                             bool from_command_line) {
  view_.SetJobRunning(false);
  view_.ShowProgress(std::nullopt);
  view_.EnableCancel(true);
  // Success is never reported by a box: the result line tells what the job
  // did, and a job that changed nothing says so just as plainly.
  if (outcome.summary) {
    last_job_ = JobPreviewRequest{mode, input_name, output_name, std::move(outcome.input_before)};
    view_.ShowResult(ResultLine(*outcome.summary), true);
  } else if (stop_requested_) {
    view_.ShowResult(CancelledText(), false);
  }
  if (from_command_line) {
    view_.EndProgram(outcome.notified ? 1 : 0);
  } else if (close_when_stopped_) {
    view_.CloseWindow();
  }
}

void MainPresenter::CancelClicked() {
  if (!JobRunning()) return;
  stop_requested_ = true;
  session_.RequestStop();
  view_.EnableCancel(false);
}

void MainPresenter::ProgressTick() {
  if (!JobRunning() || std::chrono::steady_clock::now() - job_started_ < kQuietTime) return;
  const JobProgress::Snapshot progress = session_.CurrentProgress();
  ProgressDisplay display{PhaseText(progress.phase), -1};
  if (progress.total > 0) {
    display.thousandths =
        static_cast<int>(std::min<std::int64_t>(1000, progress.done * 1000 / progress.total));
  }
  view_.ShowProgress(display);
}

void MainPresenter::PreviewClicked() {
  if (last_job_) view_.OpenPreview(*last_job_);
}

void MainPresenter::ModeBoxClicked(int box, bool ticked) {
  jobs.settings.*kModeBoxes[box].mode = ticked;
  for (const std::string_view unused : kModeBoxes[box].unused_fields) {
    view_.EnableNumberField(NumberFieldIndex(unused), !ticked);
  }
}

void MainPresenter::ShowSettings() {
  for (int box = 0; box < kModeBoxCount; ++box) {
    const bool ticked = jobs.settings.*kModeBoxes[box].mode;
    view_.TickModeBox(box, ticked);
    ModeBoxClicked(box, ticked);
  }
  for (NumberField& field : fields_) field.ShowSetting();
}

void MainPresenter::PlaceLanguageCheckMark() {
  dontchlang = true;
  const int saved = languagesetto();
  view_.CheckLanguageItem(saved >= kGerman && saved <= kPortuguese ? saved : kGerman);
  dontchlang = false;
}

void MainPresenter::LanguageChosen(int language_number) {
  if (dontchlang) return;
  view_.CheckLanguageItem(language_number);
  SetLanguage(language_number);
  view_.UseLanguage(language_number);
  ShowRestartMessage();
}

void MainPresenter::ShowRestartMessage() {
  messages_.ShowInformation(CatalogueText(kTextTranslate), CatalogueText(kTextRestart));
}

void MainPresenter::RunCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.size() < 3) return;
  const std::optional<CommandLineRun> run = CheckCommandLine(arguments, jobs.settings);
  if (!run) return;
  ShowSettings();
  // The program ends with this job; closing it then is no closing by the
  // user, and the saved language stays as it was.
  termination_requested_ = true;
  StartJob(run->mode, run->input, run->output, true);
}

bool MainPresenter::CloseRequested() {
  if (JobRunning()) {
    close_when_stopped_ = true;
    session_.RequestStop();
    return false;
  }
  if (!termination_requested_) SaveOptions();
  return true;
}

}  // namespace quillmere
