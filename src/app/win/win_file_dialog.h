#pragma once

#include <windows.h>

#include <string>

namespace quillmere::win {

enum class FileDialogKind { kOpen, kSave };

// One of the main window's file dialogs: the system's own, with the filter
// kept as one text of description and pattern pairs joined by "|" (the
// translation replaces it whole) and a default extension. The save dialog
// asks before it overwrites a file and takes only names in existing
// folders. The name chosen last is offered again at the next showing.
class FileDialog {
 public:
  FileDialog(FileDialogKind kind, std::u16string filter, std::u16string default_extension)
      : kind_(kind), filter_(std::move(filter)), default_extension_(std::move(default_extension)) {}

  // True when the user chose a file, which is then FileName().
  bool Execute(HWND owner);

  const std::u16string& Filter() const { return filter_; }
  void SetFilter(std::u16string filter) { filter_ = std::move(filter); }
  const std::u16string& FileName() const { return file_name_; }

 private:
  FileDialogKind kind_;
  std::u16string filter_;
  std::u16string default_extension_;
  std::u16string file_name_;
};

}  // namespace quillmere::win
