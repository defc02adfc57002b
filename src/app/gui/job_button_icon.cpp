#include "app/gui/job_button_icon.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include "app/presenter/job_button_picture.h"

namespace quillmere {

namespace {

constexpr QRgb kShadowGrey = qRgb(0x80, 0x80, 0x80);
constexpr QRgb kHighlightWhite = qRgb(0xFF, 0xFF, 0xFF);

}  // namespace

// The shared rows, with the palette of their letters.
QPixmap CheckMarkPixmap() {
  QImage picture(kCheckMarkWidth, kCheckMarkHeight, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 0; y < kCheckMarkHeight; ++y) {
    for (int x = 0; x < kCheckMarkWidth; ++x) {
      if (kCheckMarkRows[y][x] == '.') continue;
      const PictureRgb colour = CheckMarkColour(kCheckMarkRows[y][x]);
      picture.setPixel(x, y, qRgb(colour.red, colour.green, colour.blue));
    }
  }
  return QPixmap::fromImage(picture);
}

QPixmap GreyedPixmap(const QPixmap& picture) {
  const QImage source = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  QImage greyed(source.size(), QImage::Format_ARGB32);
  greyed.fill(Qt::transparent);
  // Highlight first, so that the shape drawn over it keeps its own pixels.
  for (int y = 0; y + 1 < source.height(); ++y) {
    for (int x = 0; x + 1 < source.width(); ++x) {
      if (qAlpha(source.pixel(x, y)) != 0) greyed.setPixel(x + 1, y + 1, kHighlightWhite);
    }
  }
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      if (qAlpha(source.pixel(x, y)) != 0) greyed.setPixel(x, y, kShadowGrey);
    }
  }
  return QPixmap::fromImage(greyed);
}

QIcon JobButtonIcon() {
  const QPixmap check_mark = CheckMarkPixmap();
  QIcon icon;
  icon.addPixmap(check_mark, QIcon::Normal);
  icon.addPixmap(GreyedPixmap(check_mark), QIcon::Disabled);
  return icon;
}

QIcon HelpButtonIcon() {
  constexpr int kSize = 16;
  QIcon icon;
  for (const int scale : {1, 2}) {
    QPixmap picture(kSize * scale, kSize * scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(0x1F, 0x4E, 0x9A), 1));
    painter.setBrush(QColor(0x35, 0x7A, 0xD4));
    painter.drawEllipse(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    QFont font;
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
    painter.end();
    icon.addPixmap(picture, QIcon::Normal);
    icon.addPixmap(GreyedPixmap(picture), QIcon::Disabled);
  }
  return icon;
}

}  // namespace quillmere
