#include "app/gui/translate_form.h"

#include "app/gui/window_font.h"

namespace quillmere {

TTranslateForm::TTranslateForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TranslateForm"));
  setWindowTitle(QStringLiteral("Übersetzen"));
  setFont(WindowFont());
  resize(705, 453);
}

}  // namespace quillmere
