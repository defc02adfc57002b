// quillmere-cli: the jobs of the desktop program without a window, for batch
// use, servers and tests. Same mode words and arguments as the program.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/catalogue_notices.h"
#include "app/command_line.h"
#include "app/job_runner.h"
#include "app/terminal_progress.h"
#include "i18n/translation_startup.h"
#include "support/utf.h"
#include "platform/program_arguments.h"
#include "platform/terminal.h"
#include "support/message_sink.h"

namespace {

using quillmere::Utf16ToUtf8;

constexpr char kUsage[] =
    "Usage: quillmere-cli [--summary] [--exact] [--contours] [--curves] MODE INPUT OUTPUT\n"
    "                     [N4 [N5 [N6]]]\n"
    "\n"
    "Modes:\n"
    "  convert1  replace runs of short segments in polylines by arcs\n"
    "            N4 maximum deviation (0.1), N5 test points on the arc (100),\n"
    "            N6 test points on each line segment (100)\n"
    "  convert2  chain LINE entities into polylines\n"
    "            N4 tolerance for joining line ends (0.01)\n"
    "  convert3  join polylines whose end meets another's start\n"
    "            N4 tolerance for joining polyline ends (0.01)\n"
    "\n"
    "Numbers use \".\" as decimal separator. A number that cannot be read is\n"
    "ignored; values outside a setting's range are brought into it.\n"
    "With --summary a successful job prints one line of what it did on stdout.\n"
    "With --exact convert1 measures the true distances of line and arc (N5 and\n"
    "N6 are then unused). With --contours convert2 and convert3 use pieces in\n"
    "either direction, join only within a layer, take the nearest end and close\n"
    "loops. With --curves convert1 also turns SPLINE, ELLIPSE and fitted POLYLINE\n"
    "entities into polylines of arcs, measured exactly as with --exact.\n"
    "Exit status: 0 done, 1 a message was shown, 2 wrong arguments.\n";

// Prints every message to stderr and remembers that one was shown.
// A message first takes the place of the progress line.
class StderrMessages : public quillmere::MessageSink {
 public:
  void ShowError(const std::u16string& text) override {
    if (progress_ != nullptr) progress_->Erase();
    std::fprintf(stderr, "%s\n", Utf16ToUtf8(text).c_str());
    shown_ = true;
  }
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override {
    if (progress_ != nullptr) progress_->Erase();
    std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str());
    shown_ = true;
  }
  bool shown() const { return shown_; }
  void set_progress(quillmere::TerminalProgress* progress) { progress_ = progress; }

 private:
  bool shown_ = false;
  quillmere::TerminalProgress* progress_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit must fail the write, which is then reported, instead
  // of ending the process with the output half written.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif

  const std::vector<std::string> arguments = quillmere::ProgramArguments(argc, argv);
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    std::printf("quillmere-cli %s\n", QUILLMERE_VERSION);
    return 0;
  }

  StderrMessages messages;
  // The same start-up as the desktop program: the translation table and the
  // saved language, so that messages come in the user's language.
  quillmere::RunTranslationStartup();
  quillmere::JobRunner jobs;
  quillmere::CatalogueNotices notices(messages);
  const std::optional<quillmere::CommandLineRun> run =
      quillmere::CheckCommandLine(arguments, jobs.settings);
  if (!run) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  quillmere::TerminalProgress progress(stderr, quillmere::StandardErrorIsTerminal());
  messages.set_progress(&progress);
  const std::optional<quillmere::JobSummary> done =
      jobs.Run(run->mode, run->input, run->output, notices, &progress);
  progress.Erase();
  messages.set_progress(nullptr);
  if (run->summary && done) std::printf("%s\n", quillmere::SummaryLine(*done).c_str());
  return messages.shown() ? 1 : 0;
}
