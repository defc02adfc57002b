#include "app/gui/preview/preview_command.h"

#include <cstdio>
#include <memory>
#include <optional>

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>

#include "app/command_line.h"
#include "app/gui/preview/preview_form.h"
#include "app/gui/qt_message_sink.h"
#include "app/gui/qt_translations.h"
#include "app/gui/shared_texts.h"
#include "i18n/language.h"
#include "i18n/translation_startup.h"
#include "support/utf.h"

namespace quillmere {

namespace {

const std::string kPreviewOption = "--preview";
constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 900;

constexpr char kUsage[] =
    "Usage: quillmere --preview DRAWING [PICTURE.png]\n"
    "       quillmere --preview MODE INPUT OUTPUT [PICTURE.png]\n";

// What the arguments after "--preview" ask for.
struct PreviewRequest {
  std::optional<JobMode> mode;  // nothing: one drawing
  std::string input;
  std::string output;
  std::string picture;  // empty: open the window
};

std::optional<PreviewRequest> ReadRequest(const std::vector<std::string>& arguments) {
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  PreviewRequest request;
  const std::optional<JobMode> mode = rest.empty() ? std::nullopt : ModeOfWord(rest[0]);
  if (mode && (rest.size() == 3 || rest.size() == 4)) {
    request.mode = mode;
    request.input = rest[1];
    request.output = rest[2];
    if (rest.size() == 4) request.picture = rest[3];
    return request;
  }
  if (rest.size() != 1 && rest.size() != 2) return std::nullopt;
  request.input = rest[0];
  if (rest.size() == 2) request.picture = rest[1];
  return request;
}

// Without a screen there is no one to confirm a box: messages go to stderr.
class StderrMessages : public MessageSink {
 public:
  void ShowError(const std::u16string& text) override {
    std::fprintf(stderr, "%s\n", Utf16ToUtf8(text).c_str());
  }
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override {
    std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str());
  }
};

bool HasScreen() {
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

std::unique_ptr<MessageSink> ProgramMessages() {
  if (HasScreen()) return std::make_unique<QtMessageSink>();
  return std::make_unique<StderrMessages>();
}

// The window in the user's language, as the main window's start shows it.
void TranslateWindow(TPreviewForm& window, ShownTexts& texts) {
  if (language() == kGerman) return;
  texts.TranslateWindow(kPreviewWindow);
  ShowWindowTexts(window, kPreviewWindow, window.Components(), texts);
}

bool Load(TPreviewForm& window, const PreviewRequest& request) {
  if (request.mode) {
    return window.LoadJobResult(JobPreviewRequest{*request.mode, request.input, request.output, nullptr});
  }
  return window.LoadDrawing(request.input);
}

// Qt's warnings and notes are for developers; what went wrong for the user
// is printed by the program itself. Failures of Qt itself still show.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The drawing alone, with its legend: the bar of buttons and the hint are
// for the window.
int SavePicture(TPreviewForm& window, const std::string& picture_name) {
  window.Panel1.hide();
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.resize(kPictureWidth, kPictureHeight);
  window.show();
  QCoreApplication::processEvents();
  const QString file_name = QFile::decodeName(QByteArray::fromStdString(picture_name));
  if (window.grab().save(file_name, "PNG")) return 0;
  std::fprintf(stderr, "quillmere: the picture %s could not be written\n", picture_name.c_str());
  return 1;
}

}  // namespace

bool IsPreviewCommand(const std::vector<std::string>& arguments) {
  return !arguments.empty() && arguments[0] == kPreviewOption;
}

void PrepareForPreviewCommand(const std::vector<std::string>& arguments) {
  if (!IsPreviewCommand(arguments)) return;
  const std::optional<PreviewRequest> request = ReadRequest(arguments);
  // The window alone needs a screen; a picture and the usage text do not.
  if (request && request->picture.empty()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtMessages);
}

int RunPreviewCommand(const std::vector<std::string>& arguments) {
  const std::optional<PreviewRequest> request = ReadRequest(arguments);
  if (!request) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  RunTranslationStartup();
  QtTranslations qt_translations;
  qt_translations.Use(language());
  const std::unique_ptr<MessageSink> messages = ProgramMessages();
  ShownTexts texts;
  TPreviewForm window(texts, *messages);
  TranslateWindow(window, texts);
  if (!Load(window, *request)) return 1;
  if (!request->picture.empty()) return SavePicture(window, request->picture);
  window.ShowFront();
  return QApplication::exec();
}

}  // namespace quillmere
