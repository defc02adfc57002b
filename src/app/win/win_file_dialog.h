#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/presenter/main_view.h"

namespace quillmere::win {

// Shows the system's open or save dialog that `request` asks for, offering
// its last name; the filter's "|" separators become the system's zeros. The
// open dialog takes only existing files, so that a name typed wrong is
// told there and then; the save dialog asks before it overwrites a file and
// takes only names in existing folders. The chosen name, or nothing.
std::optional<std::u16string> ShowFileDialog(HWND owner, const FileRequest& request);

}  // namespace quillmere::win
