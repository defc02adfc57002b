#include "app/gui/file_dialogs.h"

#include <QFile>
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

std::optional<std::string> ChooseFile(FileDialogRunner& runner, const FileRequest& request,
                                      QWidget* parent) {
  FileDialogRequest shown;
  shown.kind = request.kind;
  shown.filter = ToToolkitFilter(QString::fromStdU16String(request.filter));
  shown.default_suffix = QString::fromStdU16String(request.default_extension);
  shown.file_name = QFile::decodeName(QByteArray::fromStdString(request.file_name));
  const std::optional<QString> chosen = runner.Run(shown, parent);
  if (!chosen) return std::nullopt;
  return QFile::encodeName(*chosen).toStdString();
}

}  // namespace quillmere
