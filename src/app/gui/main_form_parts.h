#pragma once

// What the parts of the main window's code share.

#include <string>

#include <QFile>
#include <QString>

namespace quillmere::main_form {

// The client area and the panel above the help text, in pixels.
inline constexpr int kClientWidth = 577;
inline constexpr int kClientHeight = 593;
inline constexpr int kPanelHeight = 257;

// File names reach the jobs as the bytes the file system uses.
inline std::string FileNameBytes(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

}  // namespace quillmere::main_form
