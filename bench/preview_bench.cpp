// Times the preview on a large drawing: reading it into paintable form, and
// painting a window-sized view at the zoom levels a user wheels through,
// against painting every point of the drawing as it is (no culling, no
// dropping of points within a pixel), in the same run, and prints the
// ratio.
//
// Usage: preview_bench DRAWING.dxf   (scripts/big_drawing writes 100 MB)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "app/gui/preview/drawing_painter.h"
#include "preview/preview_content.h"
#include "preview/preview_view.h"

namespace {

using Clock = std::chrono::steady_clock;

class SilentNotices : public quillmere::NoticeSink {
 public:
  void Notify(const quillmere::Failure&) override { ++count; }
  int count = 0;
};

template <typename Work>
double BestSeconds(int runs, Work work) {
  double best = 1e30;
  for (int r = 0; r < runs; ++r) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

// Every piece in full, each point mapped and handed to the painter.
void PaintEveryPoint(QPainter& painter, const quillmere::FlatDrawing& drawing,
                     const quillmere::view::ViewTransform& view, quillmere::view::ViewSize size) {
  std::vector<QPointF> points;
  for (const quillmere::FlatPiece& piece : drawing.pieces) {
    painter.setPen(QPen(quillmere::StrokeColour(piece.stroke), 1.0));
    points.clear();
    for (std::uint32_t i = 0; i < piece.count; ++i) {
      const quillmere::FlatPoint& p = drawing.points[piece.first + i];
      const quillmere::view::ViewPoint at = view.ToScreen(drawing.origin_x + p.x, drawing.origin_y + p.y, size);
      points.emplace_back(at.x, at.y);
    }
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Usage: preview_bench DRAWING.dxf\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const std::string file = argv[1];
  const double megabytes = static_cast<double>(std::filesystem::file_size(file)) / 1e6;

  SilentNotices notices;
  quillmere::PreviewContent content;
  const double load_seconds =
      BestSeconds(3, [&] { Reported(quillmere::LoadDrawingPreview(file, content), notices); });
  std::printf("drawing: %.1f MB, %zu points in %zu pieces\n", megabytes,
              content.input.points.size(), content.input.pieces.size());
  std::printf("read and flatten: %.3f s\n", load_seconds);

  const QSize size(1200, 840);  // the drawing area of a 1200 x 900 window
  const quillmere::view::ViewSize view_size{1200, 840};
  QImage picture(size, QImage::Format_RGB32);
  quillmere::PreviewView shown;
  shown.ShowOutput(false);
  shown.ShowRemovedVertices(false);
  shown.SetContent(&content, view_size);
  const quillmere::view::ViewTransform fitted = shown.transform();
  double slowest = 0;
  for (const double zoom : {1.0, 4.0, 16.0, 64.0, 256.0, 4096.0}) {
    shown.Move(quillmere::view::ZoomedView(fitted, zoom, {600, 420}, view_size));
    const double seconds = BestSeconds(3, [&] {
      QPainter painter(&picture);
      quillmere::PaintPreview(painter, shown, size);
    });
    slowest = std::max(slowest, seconds);
    std::printf("paint at zoom %6.0f: %7.1f ms\n", zoom, seconds * 1e3);
  }
  const double every_point = BestSeconds(3, [&] {
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), quillmere::kPreviewBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintEveryPoint(painter, content.input, fitted, view_size);
  });
  shown.Move(fitted);
  const double fitted_paint = BestSeconds(3, [&] {
    QPainter painter(&picture);
    quillmere::PaintPreview(painter, shown, size);
  });
  std::printf("every point, whole drawing: %.1f ms\n", every_point * 1e3);
  std::printf("ratio every point / preview, whole drawing: %.1f\n", every_point / fitted_paint);
  std::printf("slowest preview frame: %.1f ms, messages: %d\n", slowest * 1e3, notices.count);
  return notices.count == 0 ? 0 : 1;
}
