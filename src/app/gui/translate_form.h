#pragma once

#include <QDialog>

namespace quillmere {

// The translation editor window. It is created at start-up after the About
// box and opened modally from the main window's "Übersetzen..." item; the
// grid of translations is not placed in it yet.
class TTranslateForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTranslateForm(QWidget* parent = nullptr);
};

}  // namespace quillmere
