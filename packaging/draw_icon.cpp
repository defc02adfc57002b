// Draws the program icon as PNG files of the given sizes, for the icon theme
// folders of the install. The picture is the one of quillmere.svg, drawn
// with QPainter because Qt's SVG module is not among the build's packages:
// keep both in step.
//
// Usage: draw_icon OUTPUT_FOLDER SIZE...   writes OUTPUT_FOLDER/SIZE.png

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace {

// The icon is designed on a 64-unit square, like the SVG.
constexpr double kDesignSize = 64.0;

// The segmented half: vertices of a quarter circle in steps of 15 degrees.
constexpr QPointF kSegmentVertices[] = {{10, 46},         {10.75, 40.31}, {12.95, 35},
                                        {16.44, 30.44},   {21, 26.95},    {26.31, 24.75},
                                        {32, 24}};

void DrawTile(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1d, 0x4f, 0x7a));
  painter.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
  painter.setPen(QPen(QColor(0x5d, 0x87, 0xad), 1.5));
  painter.drawLine(QPointF(8, 52), QPointF(56, 52));
}

void DrawSegments(QPainter& painter) {
  QPen pen(QColor(0xcf, 0xd8, 0xe3), 2.5);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(kSegmentVertices, static_cast<int>(std::size(kSegmentVertices)));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  for (std::size_t k = 0; k + 1 < std::size(kSegmentVertices); ++k) {
    painter.drawEllipse(kSegmentVertices[k], 2, 2);
  }
}

void DrawArc(QPainter& painter) {
  QPen pen(QColor(0xf5, 0xa6, 0x23), 4);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // Centre (32, 46), radius 22: from the top (90 degrees) clockwise to the right.
  QPainterPath arc(QPointF(32, 24));
  arc.arcTo(QRectF(10, 24, 44, 44), 90, -90);
  painter.drawPath(arc);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(32, 24), 2.5, 2.5);
  painter.drawEllipse(QPointF(54, 46), 2.5, 2.5);
}

QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kDesignSize, size / kDesignSize);
  DrawTile(painter);
  DrawSegments(painter);
  DrawArc(painter);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("Usage: draw_icon OUTPUT_FOLDER SIZE...\n", stderr);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int k = 2; k < argc; ++k) {
    const int size = std::atoi(argv[k]);
    const QString file = folder + QStringLiteral("/%1.png").arg(size);
    if (size <= 0 || !DrawIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "draw_icon: cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
