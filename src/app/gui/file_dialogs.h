#pragma once

#include <optional>

#include <QObject>
#include <QString>

class QWidget;

namespace quillmere {

enum class FileDialogKind { kOpen, kSave };

// What one showing of a file dialog asks for.
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

// The toolkit's own dialogs. The save dialog asks before it overwrites a
// file and takes only names in existing folders.
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

// One of the main window's file dialogs: its filter and default extension,
// and the file name chosen last, which the next showing offers again.
class FileDialog : public QObject {
  Q_OBJECT

 public:
  FileDialog(FileDialogKind kind, const QString& filter, const QString& default_extension,
             QObject* parent);

  // Shows the dialog through `runner`. True when the user chose a file,
  // which is then the new FileName.
  bool Execute(FileDialogRunner& runner, QWidget* parent);

  FileDialogKind kind() const { return kind_; }
  // The filter as one text with "|" separators; a translation replaces it whole.
  const QString& Filter() const { return filter_; }
  void SetFilter(const QString& filter) { filter_ = filter; }
  const QString& DefaultExt() const { return default_extension_; }
  const QString& FileName() const { return file_name_; }

 private:
  FileDialogKind kind_;
  QString filter_;
  QString default_extension_;
  QString file_name_;
};

}  // namespace quillmere
