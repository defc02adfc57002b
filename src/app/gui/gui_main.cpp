// quillmere: the desktop program. Without arguments it opens the main
// window; with a mode word and two file names it runs that job and ends;
// with --preview it shows or draws the preview of a drawing (see
// preview_command.h).
//
// For the documentation, QUILLMERE_SCREENSHOT=FILE.png makes the program
// save a picture of a window to FILE.png once it is shown, and end: of the
// main window, or with QUILLMERE_SCREENSHOT_WINDOW=editor of the translation
// editor, opened over it without waiting for it to close.

#include <csignal>
#include <string>
#include <vector>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QPixmap>
#include <QTimer>

#include "app/gui/file_dialogs.h"
#include "app/gui/main_form.h"
#include "app/gui/preview/preview_command.h"
#include "app/gui/qt_message_sink.h"

namespace {

// Saves a picture of `window` to `file_name` after the window has painted,
// then ends the program. The exit status tells whether the file was written.
void ScheduleScreenshot(QWidget& window, const QString& file_name) {
  constexpr int kSettleMilliseconds = 500;
  QTimer::singleShot(kSettleMilliseconds, &window, [&window, file_name] {
    const bool saved = window.grab().save(file_name, "PNG");
    QCoreApplication::exit(saved ? 0 : 1);
  });
}

// The window to take a picture of, shown.
QWidget& ScreenshotWindow(quillmere::TMainForm& main_form, const QByteArray& which) {
  if (which != "editor") return main_form;
  quillmere::TTranslateForm& editor = main_form.TranslateForm();
  editor.FillStringGrid();
  editor.show();
  return editor;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit must fail the write, which the job then reports,
  // instead of ending the process with the output half written.
  std::signal(SIGXFSZ, SIG_IGN);

  quillmere::PrepareForPreviewCommand(std::vector<std::string>(argv + 1, argv + argc));
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
  // The arguments as the file system spells them; Qt's own options are gone.
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  quillmere::QtMessageSink messages;
  if (quillmere::IsPreviewCommand(arguments)) return quillmere::RunPreviewCommand(arguments);
  quillmere::QtFileDialogs file_dialogs;
  quillmere::TMainForm main_form(messages, file_dialogs);
  main_form.SetCommandLine(arguments);
  // Only asks the event loop to stop: the program ends once control returns
  // to it.
  main_form.SetOnTermination([](int exit_code) {
    QMetaObject::invokeMethod(
        qApp, [exit_code] { QCoreApplication::exit(exit_code); }, Qt::QueuedConnection);
  });

  main_form.show();
  const QByteArray screenshot = qgetenv("QUILLMERE_SCREENSHOT");
  if (!screenshot.isEmpty()) {
    ScheduleScreenshot(ScreenshotWindow(main_form, qgetenv("QUILLMERE_SCREENSHOT_WINDOW")),
                       QFile::decodeName(screenshot));
  }
  return QApplication::exec();
}
