// quillmere.exe: the desktop program for Windows, on the Windows API alone.
// Without arguments it opens the main window; with a mode word and two file
// names it runs that job without showing any window, shows its messages in
// boxes, and ends with status 1 after a message, 0 otherwise.

#include <windows.h>
#include <commctrl.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/catalogue_notices.h"
#include "app/command_line.h"
#include "app/job_runner.h"
#include "app/win/about_window.h"
#include "app/win/main_window.h"
#include "app/win/preview_window.h"
#include "app/presenter/shown_texts.h"
#include "app/win/translate_window.h"
#include "app/win/win_boxes.h"
#include "app/win/win_dpi.h"
#include "app/win/win_modal.h"
#include "i18n/language.h"
#include "i18n/translation_startup.h"
#include "i18n/translations.h"
#include "platform/program_arguments.h"

namespace {

using namespace quillmere;

int RunFromCommandLine(const CommandLineRun& run, const JobRunner& jobs) {
  win::BoxMessages messages;
  CatalogueNotices notices(messages);
  jobs.Run(run.mode, run.input, run.output, notices);
  return messages.shown() ? 1 : 0;
}

int RunWindows(int show, const ShownTexts& texts) {
  win::BoxMessages messages;
  win::AboutWindow about(texts);
  win::TranslateWindow editor(texts);
  win::PreviewWindow preview(texts, messages);
  win::MainWindowCommands commands;
  commands.show_about = [&about](HWND owner) { about.ShowModal(owner); };
  commands.show_translation_editor = [&editor](HWND owner) { editor.ShowModal(owner); };
  commands.show_preview = [&preview](const JobPreviewRequest& request) {
    preview.ShowJobResult(request);
  };
  win::MainWindow main_window(texts, messages, commands);
  if (!main_window.Create(show)) return 1;
  preview.SetOwner(main_window.handle());
  return win::RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  win::MakeDpiAware();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                      ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  // "." is the decimal separator of every number the program reads or writes.
  std::setlocale(LC_NUMERIC, "C");

  const std::vector<std::string> arguments = ProgramArguments(__argc, __argv);

  // The translation table and the saved language, then on the first
  // display the catalogue, the saved language in force and the windows
  // translated; the windows here are built with their translated texts.
  StartTranslations();
  ApplySavedLanguage();
  ShownTexts texts;
  if (languagesetto() != kGerman) texts.Translate();
  win::SetProgramTitle(TranslateText(u"Quillmere"));

  JobRunner jobs;
  const std::optional<CommandLineRun> run =
      arguments.size() >= 3 ? CheckCommandLine(arguments, jobs.settings) : std::nullopt;
  const int status = run ? RunFromCommandLine(*run, jobs) : RunWindows(show, texts);
  return status;
}
