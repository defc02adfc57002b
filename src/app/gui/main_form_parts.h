#pragma once

// What the parts of the main window's code share.

#include <string>

#include <QFile>
#include <QString>

class QPlainTextEdit;

namespace quillmere::main_form {

// File names reach the jobs as the bytes the file system uses.
inline std::string FileNameBytes(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

// The height the memo needs to show `lines` lines of its text without
// scrolling.
int MemoHeight(const QPlainTextEdit& memo, int lines);

}  // namespace quillmere::main_form
