#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "app/gui/component_owner.h"

namespace quillmere {

// The text with every "XXXX" replaced by `year`.
QString WithYear(const QString& text, int year);

// The About box: the product title, its picture and a copyright line whose
// "XXXX" becomes the current year when the box is shown, so that the line
// is kept with the placeholder until then.
class TAboutBox : public QDialog, public ComponentOwner {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QObjectList Components() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel ProgramIcon{this};
  QLabel ProductName{this};
  QLabel Version{this};
  QLabel Copyright{this};
  QLabel Comments{this};
  QPushButton OKButton{this};
};

}  // namespace quillmere
