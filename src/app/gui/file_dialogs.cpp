#include "app/gui/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace quillmere {

std::optional<QString> QtFileDialogs::Run(const FileDialogRequest& request, QWidget* parent) {
  QFileDialog dialog(parent);
  const bool saving = request.kind == FileDialogKind::kSave;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(request.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts));
  dialog.setDefaultSuffix(request.default_suffix);
  if (!request.file_name.isEmpty()) dialog.selectFile(request.file_name);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first();
}

QString ToToolkitFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString in_parentheses = QStringLiteral("(%1)").arg(patterns);
    entries.append(description.endsWith(in_parentheses)
                       ? description
                       : QStringLiteral("%1 %2").arg(description, in_parentheses));
  }
  return entries.join(QStringLiteral(";;"));
}

FileDialog::FileDialog(FileDialogKind kind, const QString& filter,
                       const QString& default_extension, QObject* parent)
    : QObject(parent), kind_(kind), filter_(filter), default_extension_(default_extension) {}

bool FileDialog::Execute(FileDialogRunner& runner, QWidget* parent) {
  FileDialogRequest request;
  request.kind = kind_;
  request.filter = ToToolkitFilter(filter_);
  request.default_suffix = default_extension_;
  request.file_name = file_name_;
  const std::optional<QString> chosen = runner.Run(request, parent);
  if (!chosen) return false;
  file_name_ = *chosen;
  return true;
}

}  // namespace quillmere
