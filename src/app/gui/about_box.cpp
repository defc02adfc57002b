#include "app/gui/about_box.h"

#include <QDate>
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

QString WithYear(const QString& text, int year) {
  return QString::fromStdU16String(quillmere::WithYear(text.toStdU16String(), year));
}

TAboutBox::TAboutBox(const ShownTexts& texts, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setFont(WindowFont());
  setModal(true);
  setFixedSize(298, 178);

  ProgramIcon.setObjectName(QStringLiteral("ProgramIcon"));
  ProgramIcon.setGeometry(16, 16, kPictureSize, kPictureSize);
  ProgramIcon.setPixmap(ProgramPicture());

  QFont title_font = font();
  title_font.setPointSize(12);
  title_font.setBold(true);
  ProductName.setObjectName(QStringLiteral("ProductName"));
  ProductName.setFont(title_font);
  ProductName.move(96, 16);

  Version.setObjectName(QStringLiteral("Version"));
  Version.move(96, 44);

  Copyright.setObjectName(QStringLiteral("Copyright"));
  Copyright.move(96, 64);

  Comments.setObjectName(QStringLiteral("Comments"));
  Comments.setWordWrap(true);
  Comments.setGeometry(16, 96, 266, 32);

  OKButton.setObjectName(QStringLiteral("OKButton"));
  OKButton.setGeometry(111, 140, 75, 25);
  OKButton.setDefault(true);
  connect(&OKButton, &QPushButton::clicked, this, &QDialog::accept);
  ShowWindowTexts(*this, kAboutWindow, Components(), texts);
}

QObjectList TAboutBox::Components() {
  return {&ProgramIcon, &ProductName, &Version, &Copyright, &Comments, &OKButton};
}

void TAboutBox::showEvent(QShowEvent* event) {
  if (Copyright.text().contains(QStringLiteral("XXXX"))) {
    Copyright.setText(WithYear(Copyright.text(), QDate::currentDate().year()));
    Copyright.adjustSize();
  }
  QDialog::showEvent(event);
}

}  // namespace quillmere
