#pragma once

// Helpers shared by the GUI tests: scripted file dialogs and questions,
// translation files kept in temporary folders, acting on the next modal
// window, and running quillmere-cli for comparison.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/gui/file_dialogs.h"
#include "app/gui/main_form.h"
#include "presenter/presenter_fakes.h"
#include "i18n/translation_file.h"
#include "i18n/translation_table.h"
#include "i18n/translations.h"
#include "test_support.h"

namespace quillmere::testing {

// Answers file dialogs from a script and records what each was asked.
class ScriptedFileDialogs : public FileDialogRunner {
 public:
  std::optional<QString> Run(const FileDialogRequest& request, QWidget*) override {
    requests.push_back(request);
    if (on_run) on_run();
    if (answers.empty()) return std::nullopt;
    const bool chosen = answers.front().has_value();
    const QString answer = answers.front().value_or(QString());
    answers.pop_front();
    if (!chosen) return std::nullopt;
    return answer;
  }

  std::deque<std::optional<QString>> answers;  // nothing = the user cancels
  std::vector<FileDialogRequest> requests;
  std::function<void()> on_run;  // called while a dialog "is open"
};

// Keeps the files of the translation subsystem out of the build tree and the
// user's home: the translation table (in the program folder) and the options
// file (in the configuration folder) live in temporary folders of their own.
// German is current; the table is built when the main window is created.
class TranslationSandbox {
 public:
  TranslationSandbox() : previous_config_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(QString::fromStdString(config_.path().string())));
    ResetTranslations(program_.path().string());
  }
  ~TranslationSandbox() {
    ResetTranslations(std::string());
    qputenv("XDG_CONFIG_HOME", previous_config_);
  }
  TranslationSandbox(const TranslationSandbox&) = delete;
  TranslationSandbox& operator=(const TranslationSandbox&) = delete;

  std::string ProgramFolder() const { return program_.path().string(); }
  std::string TranslationFile() const { return program_.File(kTranslationFileName); }
  std::filesystem::path OptionsFolder() const { return config_.path() / "Tormel" / "Quillmere"; }
  std::string OptionsFile() const { return (OptionsFolder() / "options.dat").string(); }

  // Stores a language choice as the options file of a previous run.
  void SaveLanguage(int language_number) const {
    std::filesystem::create_directories(OptionsFolder());
    const auto bits = static_cast<std::uint32_t>(language_number);
    WriteFile(OptionsFile(), std::string{static_cast<char>(bits & 0xFF),
                                         static_cast<char>((bits >> 8) & 0xFF),
                                         static_cast<char>((bits >> 16) & 0xFF),
                                         static_cast<char>((bits >> 24) & 0xFF)});
  }

  // Forgets the table in memory, as the end of the program does; the next
  // main window loads it from the file again.
  void Restart() const { ResetTranslations(program_.path().string()); }

 private:
  TempDir program_;
  TempDir config_;
  QByteArray previous_config_;
};

// One row of a translation table: the German text and the texts of the
// languages 1, 2, ... in order.
using TableRow = std::vector<std::u16string>;

inline void WriteTranslationTable(const std::string& path, const std::vector<TableRow>& rows) {
  TranslationTable table;
  for (const TableRow& cells : rows) {
    const std::uint32_t row = table.AppendRow().value();
    for (std::size_t column = 0; column < cells.size(); ++column) {
      table.SetCell(row, static_cast<int>(column), cells[column]);
    }
  }
  SaveTranslationFile(path, table);
}

inline QString CellText(const TranslationTable& table, std::uint32_t row, int column) {
  const std::u16string_view text = table.Cell(row, column);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// One column of a table, row by row.
inline QStringList TableColumn(const TranslationTable& table, int column) {
  QStringList texts;
  for (std::uint32_t row = 0; row < table.RowCount(); ++row) {
    texts.append(CellText(table, row, column));
  }
  return texts;
}

// One column of the table in the translation file.
inline QStringList SavedColumn(const std::string& path, int column) {
  TranslationTable table;
  LoadTranslationFile(path, table);
  return TableColumn(table, column);
}

// Runs `action` with the next modal window of type Window as soon as it is
// shown, so that a test can look at a dialog and close it while exec()
// waits. A window the action leaves open (a failed check returns early) is
// closed after it, and when no such window appears within about five
// seconds the modal window in the way is closed: the test then fails
// instead of hanging.
template <class Window = QWidget>
void WhenModalShown(std::function<void(Window&)> action, int attempts = 500) {
  QTimer::singleShot(10, [action = std::move(action), attempts]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    Window* window = qobject_cast<Window*>(modal);
    if (window != nullptr && window->isVisible()) {
      const QPointer<Window> shown(window);
      action(*window);
      if (shown != nullptr && shown->isVisible()) shown->close();
    } else if (attempts > 0) {
      WhenModalShown<Window>(std::move(action), attempts - 1);
    } else if (modal != nullptr) {
      modal->close();
    }
  });
}

// Waits until the job the window runs has ended and its end has been
// handled; false when it is still running after 30 seconds. What the end
// posted (the end of a command-line run) is handled here too, not in a
// later test's event loop.
inline bool WaitForJob(TMainForm& form) {
  const bool ended = QTest::qWaitFor([&form] { return !form.JobRunning(); }, 30000);
  QCoreApplication::processEvents();
  return ended;
}

// The messages in the form quillmere-cli prints them: an error as its text,
// an information as "caption: text".
inline QStringList AsCliLines(const RecordingMessages& messages) {
  QStringList lines;
  for (const ShownMessage& message : messages.shown) {
    const QString text = QString::fromStdU16String(message.text);
    lines.append(message.is_error
                     ? text
                     : QString::fromStdU16String(message.caption) + QStringLiteral(": ") + text);
  }
  return lines;
}

struct CliResult {
  int exit_code = -1;
  QStringList messages;
};

inline CliResult RunCli(const QStringList& arguments) {
  // A language saved by the user running the tests must not change the
  // German messages compared here. The tool keeps its translation table
  // beside itself, so a copy of it runs in a folder of its own.
  static const TempDir folder;
  static const std::string program = [] {
    const std::string copy = folder.File("quillmere-cli");
    std::filesystem::copy_file(QUILLMERE_CLI_PATH, copy);
    return copy;
  }();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                     QFile::decodeName(QByteArray::fromStdString(folder.File("config"))));
  QProcess cli;
  cli.setProcessEnvironment(environment);
  cli.start(QString::fromStdString(program), arguments);
  cli.waitForFinished(120000);
  CliResult result;
  result.exit_code = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  result.messages =
      QString::fromUtf8(cli.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  return result;
}

// A small drawing with work for every job: four LINE entities that chain
// end to start, and two polylines, the first running along a quarter circle
// in short segments, the second starting where the first ends.
inline std::string SmallDrawing() {
  std::vector<std::string> lines = {"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1009",
                                    "0", "ENDSEC",  "0", "SECTION", "2", "ENTITIES"};
  const double corners[][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    const std::vector<std::string> line = {
        "0",  "LINE", "8",  "0", "10", std::to_string(corners[i][0]),
        "20", std::to_string(corners[i][1]), "11", std::to_string(corners[i + 1][0]),
        "21", std::to_string(corners[i + 1][1])};
    lines.insert(lines.end(), line.begin(), line.end());
  }
  const std::vector<std::string> quarter_circle = {
      "0",  "LWPOLYLINE", "8", "0", "90", "7", "70", "0",
      "10", "20",       "20", "0",
      "10", "19.659258", "20", "2.588190",
      "10", "18.660254", "20", "5",
      "10", "17.071068", "20", "7.071068",
      "10", "15",       "20", "8.660254",
      "10", "12.588190", "20", "9.659258",
      "10", "10",       "20", "10"};
  lines.insert(lines.end(), quarter_circle.begin(), quarter_circle.end());
  const std::vector<std::string> continuation = {"0",  "LWPOLYLINE", "8",  "0", "90", "2",
                                                 "70", "0",          "10", "10", "20", "10",
                                                 "10", "10",         "20", "20"};
  lines.insert(lines.end(), continuation.begin(), continuation.end());
  const std::vector<std::string> end = {"0", "ENDSEC", "0", "EOF"};
  lines.insert(lines.end(), end.begin(), end.end());
  return CrLf(lines);
}

}  // namespace quillmere::testing
