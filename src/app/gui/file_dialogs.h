#pragma once

#include <optional>

#include <QString>

#include "app/presenter/main_view.h"

class QWidget;

namespace quillmere {

// What one showing of a file dialog asks for, in the toolkit's terms.
struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::kOpen;
  QString filter;          // the toolkit's form: "Text (*.a *.b)" entries joined by ";;"
  QString default_suffix;  // appended to a name typed without one; no dot
  QString file_name;       // offered in the dialog: the name chosen last time
};

// Shows file dialogs to the user. The program uses QtFileDialogs; tests put
// a script of answers in its place.
class FileDialogRunner {
 public:
  virtual ~FileDialogRunner() = default;

  // The file the user chose, or nothing when the dialog was cancelled.
  virtual std::optional<QString> Run(const FileDialogRequest& request, QWidget* parent) = 0;
};

// The toolkit's own dialogs. The open dialog takes only existing files; the
// save dialog asks before it overwrites a file and takes only names in
// existing folders.
class QtFileDialogs : public FileDialogRunner {
 public:
  std::optional<QString> Run(const FileDialogRequest& request, QWidget* parent) override;
};

// Turns a filter kept as one text of description and pattern pairs separated
// by "|" ("DXF-Dateien (*.dxf)|*.dxf", patterns of one pair separated by ";")
// into the toolkit's form ("DXF-Dateien (*.dxf)"). A description that does
// not already end in its patterns gets them appended in parentheses, which is
// where the toolkit reads them from.
QString ToToolkitFilter(const QString& filter);

// Shows the dialog that `request` asks for through `runner`; the file name
// chosen, as the file system spells it, or nothing.
std::optional<std::string> ChooseFile(FileDialogRunner& runner, const FileRequest& request,
                                      QWidget* parent);

}  // namespace quillmere
