// The preview: the picture `quillmere --preview` draws without a screen,
// its failure path, and the window's zoom, move, fit, before and after, and
// legend.

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "app/gui/preview/drawing_painter.h"
#include "app/gui/preview/preview_form.h"
#include "arcs/arc_job.h"
#include "gui/gui_test_support.h"
#include "join/join_job.h"
#include "lines/line_job.h"
#include "gui_test_registry.h"
#include "named_input.h"

namespace quillmere {

using testing::RecordingMessages;
using testing::TempDir;

namespace {

struct ProgramRun {
  int exit_code = -1;
  QString errors;
};

// Runs a copy of the desktop program in a folder of its own, so that the
// translation table it learns into stays out of the build tree, and with no
// display to draw on.
ProgramRun RunProgram(const TempDir& folder, const QStringList& arguments) {
  const std::string program = folder.File("quillmere");
  if (!std::filesystem::exists(program)) std::filesystem::copy_file(QUILLMERE_GUI_PATH, program);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    environment.remove(QLatin1String(display));
  }
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(folder.File("config")));
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QString::fromStdString(program), arguments);
  process.waitForFinished(120000);
  ProgramRun run;
  run.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.errors = QString::fromUtf8(process.readAllStandardError());
  return run;
}

// Counts the pixels of the drawing area that pass `test`: the rows whose
// first pixel has the ground's colour, so that the bars above and below,
// with their buttons and the legend's swatches, do not count.
template <typename Test>
int DrawingPixels(const QImage& image, Test test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    if (image.pixelColor(0, y) != kPreviewBackground) continue;
    for (int x = 0; x < image.width(); ++x) count += test(image.pixelColor(x, y)) ? 1 : 0;
  }
  return count;
}

// Pixels with the hue of `colour`: the same channel order, the strongest
// channel well ahead of the weakest, as a stroke's own pixels and its
// antialiased edges over the dark ground have.
int PixelsOfHue(const QImage& image, const QColor& colour) {
  const auto order = [](int r, int g, int b) { return (r > g) * 4 + (g > b) * 2 + (r > b); };
  const int wanted = order(colour.red(), colour.green(), colour.blue());
  return DrawingPixels(image, [&](const QColor& p) {
    const int spread = std::max({p.red(), p.green(), p.blue()}) - std::min({p.red(), p.green(), p.blue()});
    return spread > 60 && order(p.red(), p.green(), p.blue()) == wanted;
  });
}

// Light grey pixels: the straight lines.
int LinePixels(const QImage& image) {
  return DrawingPixels(image, [](const QColor& p) {
    const int low = std::min({p.red(), p.green(), p.blue()});
    return low > 0x90 && std::max({p.red(), p.green(), p.blue()}) - low < 20;
  });
}

void SendWheel(QWidget& widget, QPointF position, int notches) {
  QWheelEvent wheel(position, widget.mapToGlobal(position), QPoint(), QPoint(0, 120 * notches),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &wheel);
}

void SendMouse(QWidget& widget, QEvent::Type type, QPointF position, Qt::MouseButtons buttons) {
  QMouseEvent event(type, position, widget.mapToGlobal(position), Qt::LeftButton, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

void ComparePoints(view::ViewPoint actual, view::ViewPoint expected, double tolerance) {
  QVERIFY2(std::abs(actual.x - expected.x) <= tolerance && std::abs(actual.y - expected.y) <= tolerance,
           qPrintable(QStringLiteral("(%1, %2) instead of (%3, %4)")
                          .arg(actual.x).arg(actual.y).arg(expected.x).arg(expected.y)));
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder_ = std::make_unique<TempDir>();
    testing::WriteFile(Path("in.dxf"), testing::SmallDrawing());
    RunArcJob({}, Path("in.dxf"), Path("arcs.dxf"), messages_);
    QVERIFY(messages_.shown.empty());
  }
  void cleanup() { folder_.reset(); }

  void PicturesShowLinesAndArcsEachInTheirOwnColour() {
    const ProgramRun drawing = RunProgram(
        *folder_, {"--preview", QString::fromStdString(Path("arcs.dxf")),
                   QString::fromStdString(Path("drawing.png"))});
    QCOMPARE(drawing.exit_code, 0);
    QCOMPARE(drawing.errors, QString());
    const QImage picture(QString::fromStdString(Path("drawing.png")));
    QCOMPARE(picture.size(), QSize(1200, 900));
    QCOMPARE(picture.pixelColor(4, 450), kPreviewBackground);  // beside the drawing
    // The drawing reaches the top: no buttons or hint above it.
    QCOMPARE(picture.pixelColor(600, 2), kPreviewBackground);
    QVERIFY(LinePixels(picture) > 500);
    QVERIFY(PixelsOfHue(picture, StrokeColour(Stroke::kArc)) > 300);
    QCOMPARE(PixelsOfHue(picture, StrokeColour(Stroke::kFoundArc)), 0);

    // After the arc job the arcs it found have a colour of their own.
    const ProgramRun job = RunProgram(
        *folder_, {"--preview", "convert1", QString::fromStdString(Path("in.dxf")),
                   QString::fromStdString(Path("arcs.dxf")), QString::fromStdString(Path("job.png"))});
    QCOMPARE(job.exit_code, 0);
    QCOMPARE(job.errors, QString());
    const QImage job_picture(QString::fromStdString(Path("job.png")));
    QCOMPARE(job_picture.size(), QSize(1200, 900));
    QVERIFY(PixelsOfHue(job_picture, StrokeColour(Stroke::kFoundArc)) > 300);
    QVERIFY(LinePixels(job_picture) > 500);
    QCOMPARE(PixelsOfHue(job_picture, kPolylineEndColour), 0);
  }

  // After the join job each polyline shows where it ends: two marks for
  // each open polyline, none where pieces were joined.
  void JoinPicturesMarkTheEndsOfEachPolyline() {
    RunJoinJob(0.01, Path("in.dxf"), Path("joined.dxf"), messages_);
    const ProgramRun run = RunProgram(
        *folder_, {"--preview", "convert3", QString::fromStdString(Path("in.dxf")),
                   QString::fromStdString(Path("joined.dxf")), QString::fromStdString(Path("join.png"))});
    QCOMPARE(run.exit_code, 0);
    QCOMPARE(run.errors, QString());
    const QImage picture(QString::fromStdString(Path("join.png")));
    const int end_pixels = PixelsOfHue(picture, kPolylineEndColour);
    QVERIFY(end_pixels > 0);
    // The small drawing's one joined polyline: two ends, each a dot of a
    // few pixels across; a mark at the joint would add a third.
    QVERIFY2(end_pixels < 3 * 40, qPrintable(QString::number(end_pixels)));
  }

  void ADrawingThatCannotBeReadIsReportedAndEndsWithStatus1() {
    const std::string missing = Path("missing.dxf");
    const ProgramRun run = RunProgram(
        *folder_, {"--preview", QString::fromStdString(missing), QString::fromStdString(Path("x.png"))});
    QCOMPARE(run.exit_code, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("Folgende DXF Datei konnte nicht geöffnet werden: ") +
                                 QString::fromStdString(missing)),
             qPrintable(run.errors));
    QVERIFY(!std::filesystem::exists(Path("x.png")));
    QCOMPARE(RunProgram(*folder_, {"--preview"}).exit_code, 2);
  }

  // Its smallest size, with the frame, fits a 1600 x 1000 screen at scale 2
  // (800 x 500 in the window's pixels) and it opens wholly on the screen.
  void TheWindowFitsSmallScreens() {
    TPreviewForm form(texts_, messages_);
    QVERIFY(form.ShowJobResult(JobMode::kFindArcs, Path("in.dxf"), Path("arcs.dxf")));
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize smallest = form.minimumSizeHint() + QSize(8, 40);
    QVERIFY2(smallest.width() <= 800 && smallest.height() <= 500,
             qPrintable(QStringLiteral("%1 x %2").arg(smallest.width()).arg(smallest.height())));
    QVERIFY(form.screen()->availableGeometry().contains(form.frameGeometry()));
  }

  void WheelZoomsAboutThePointerDraggingMovesDoubleClickFits() {
    TPreviewForm form(texts_, messages_);
    form.resize(800, 600);
    QVERIFY(form.ShowDrawing(Path("in.dxf")));
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    PreviewCanvas& canvas = form.Zeichnung;
    const view::ViewTransform fitted = canvas.View();
    const view::ViewSize size = canvas.ScreenSize();

    const view::ViewPoint pointer{120, 90};
    const view::ViewPoint under_pointer = fitted.ToWorld(pointer, size);
    SendWheel(canvas, {pointer.x, pointer.y}, 2);
    QVERIFY(std::abs(canvas.View().scale / fitted.scale - 1.44) < 1e-9);
    ComparePoints(canvas.View().ToWorld(pointer, size), under_pointer, 1e-9);

    const view::ViewPoint grabbed = canvas.View().ToWorld({300, 200}, size);
    SendMouse(canvas, QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton);
    SendMouse(canvas, QEvent::MouseMove, {340, 170}, Qt::LeftButton);
    SendMouse(canvas, QEvent::MouseButtonRelease, {340, 170}, Qt::NoButton);
    ComparePoints(canvas.View().ToWorld({340, 170}, size), grabbed, 1e-9);

    QTest::mouseDClick(&canvas, Qt::LeftButton);
    QCOMPARE(canvas.View().scale, fitted.scale);
    QCOMPARE(canvas.View().centre_x, fitted.centre_x);
    QCOMPARE(canvas.View().centre_y, fitted.centre_y);
    QVERIFY(messages_.shown.empty());
  }

  void BeforeAndAfterKeepTheView() {
    TPreviewForm form(texts_, messages_);
    form.resize(800, 600);
    QVERIFY(form.ShowJobResult(JobMode::kFindArcs, Path("in.dxf"), Path("arcs.dxf")));
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.NachherBtn.isChecked());
    QVERIFY(form.PunkteCheck.isVisible());
    SendWheel(form.Zeichnung, {200, 150}, 3);
    const view::ViewTransform zoomed = form.Zeichnung.View();
    const QImage after = form.Zeichnung.grab().toImage();

    QTest::mouseClick(&form.VorherBtn, Qt::LeftButton);
    QVERIFY(!form.NachherBtn.isChecked());
    QCOMPARE(form.Zeichnung.View().scale, zoomed.scale);
    QCOMPARE(form.Zeichnung.View().centre_x, zoomed.centre_x);
    const QImage before = form.Zeichnung.grab().toImage();
    QVERIFY(PixelsOfHue(after, StrokeColour(Stroke::kFoundArc)) > 0);
    QCOMPARE(PixelsOfHue(before, StrokeColour(Stroke::kFoundArc)), 0);

    // The removed vertices' marks come and go with the check box.
    QTest::mouseClick(&form.PunkteCheck, Qt::LeftButton);
    QVERIFY(!form.PunkteCheck.isChecked());
    const QImage without_marks = form.Zeichnung.grab().toImage();
    QVERIFY(PixelsOfHue(before, kRemovedVertexColour) > PixelsOfHue(without_marks, kRemovedVertexColour));
  }

  void LegendCountsWhatTheLineAndJoinJobsDid() {
    TPreviewForm form(texts_, messages_);
    RunLineJob(0.01, Path("in.dxf"), Path("lines.dxf"), messages_);
    QVERIFY(form.LoadJobResult({JobMode::kChainLines, Path("in.dxf"), Path("lines.dxf"), nullptr}));
    QCOMPARE(form.LegendTexts().value(2), QStringLiteral("4 Linien zu 1 Polylinien verkettet"));
    QVERIFY(!form.PunkteCheck.isVisibleTo(&form));

    RunJoinJob(0.01, Path("in.dxf"), Path("joined.dxf"), messages_);
    QVERIFY(form.LoadJobResult({JobMode::kJoinPolylines, Path("in.dxf"), Path("joined.dxf"), nullptr}));
    QCOMPARE(form.LegendTexts().value(2), QStringLiteral("1 Polylinien an 1 andere angehängt"));
    QVERIFY(messages_.shown.empty());
  }

 private:
  std::string Path(const std::string& name) const { return folder_->File(name); }

  std::unique_ptr<TempDir> folder_;
  RecordingMessages messages_;
  ShownTexts texts_;
};

}  // namespace quillmere

QUILLMERE_GUI_TEST(PreviewTest);
#include "preview_test.moc"
