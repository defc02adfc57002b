#include "app/gui/job_button_icon.h"

#include <QImage>

namespace quillmere {

namespace {

// 18 x 19 pixels from the 16-colour palette: lime highlight, green body and a
// black shadow edge.
const char* const kCheckMarkXpm[] = {
    "18 19 4 1",
    ". c None",
    "l c #00FF00",
    "g c #008000",
    "d c #000000",
    "..................",
    "..................",
    "..................",
    "..................",
    "..............lll.",
    ".............lggg.",
    "............lgggg.",
    "..ll.......lggggd.",
    ".lggl.....lggggd..",
    ".ggggl...lggggd...",
    ".dggggl.lggggd....",
    "..dgggglggggd.....",
    "...dgggggggd......",
    "....dgggggd.......",
    ".....dgggd........",
    "......ddd.........",
    "..................",
    "..................",
    "..................",
};

constexpr QRgb kShadowGrey = qRgb(0x80, 0x80, 0x80);
constexpr QRgb kHighlightWhite = qRgb(0xFF, 0xFF, 0xFF);

}  // namespace

QPixmap CheckMarkPixmap() { return QPixmap(kCheckMarkXpm); }

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

}  // namespace quillmere
