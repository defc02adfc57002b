#pragma once

// Helpers shared by the GUI tests: scripted file dialogs, acting on the next
// modal window, and running quillmere-cli for comparison.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "app/gui/file_dialogs.h"
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
  // German messages compared here.
  static const TempDir config;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                     QFile::decodeName(QByteArray::fromStdString(config.path().string())));
  QProcess cli;
  cli.setProcessEnvironment(environment);
  cli.start(QStringLiteral(QUILLMERE_CLI_PATH), arguments);
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
