#include "app/gui/about_box.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QShowEvent>

#include "app/gui/shared_texts.h"
#include "app/gui/window_font.h"

namespace quillmere {

namespace {

constexpr int kPictureSize = 64;

// The program's picture: a curve drawn as short straight segments, and the
// arc that replaces them.
QPixmap ProgramPicture() {
  QPixmap picture(kPictureSize, kPictureSize);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
  painter.drawRect(0, 0, kPictureSize - 1, kPictureSize - 1);

  const QRectF circle(8, 8, 96, 96);  // a quarter of it shows in the picture
  QPainterPath arc;
  arc.arcMoveTo(circle, 90);
  arc.arcTo(circle, 90, 90);
  painter.setPen(QPen(QColor(0x00, 0x00, 0xC0), 3));
  painter.drawPath(arc);

  QPolygonF segments;
  for (int step = 0; step <= 6; ++step) {
    segments << arc.pointAtPercent(step / 6.0);
  }
  painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 1.5));
  painter.drawPolyline(segments);
  painter.setBrush(QColor(0x00, 0x80, 0x00));
  for (const QPointF& vertex : segments) painter.drawEllipse(vertex, 2, 2);
  return picture;
}

}  // namespace

TAboutBox::TAboutBox(const ShownTexts& texts, QWidget* parent) : QDialog(parent) {
  setFont(WindowFont());
  setModal(true);
  setFixedSize(kAboutWidth, kAboutHeight);
  NameComponents(*this, kAboutWindow, Components());
  const QObjectList components = Components();
  for (qsizetype i = 0; i < components.size(); ++i) {
    const DesignPlace& place = kAboutPlaces[i];
    static_cast<QWidget*>(components[i])->setGeometry(place.left, place.top, place.width, place.height);
  }
  ProgramIcon.setPixmap(ProgramPicture());
  QFont title_font = font();
  title_font.setPointSize(12);
  title_font.setBold(true);
  ProductName.setFont(title_font);
  Comments.setWordWrap(true);
  OKButton.setDefault(true);
  connect(&OKButton, &QPushButton::clicked, this, &QDialog::accept);
  ShowWindowTexts(*this, kAboutWindow, Components(), texts);
}

QObjectList TAboutBox::Components() {
  return {&ProgramIcon, &ProductName, &Version, &Copyright, &Comments, &OKButton};
}

void TAboutBox::showEvent(QShowEvent* event) {
  Copyright.setText(QString::fromStdU16String(WithCurrentYear(Copyright.text().toStdU16String())));
  Copyright.adjustSize();
  QDialog::showEvent(event);
}

}  // namespace quillmere
