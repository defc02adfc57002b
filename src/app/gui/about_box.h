#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "app/presenter/shown_texts.h"

namespace quillmere {

// The About box: the product title, its picture and a copyright line whose
// "XXXX" becomes the current year when the box is shown, so that the line
// is kept with the placeholder until then.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(const ShownTexts& texts, QWidget* parent = nullptr);

  // The components of the window's table, in its order.
  QObjectList Components();

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
