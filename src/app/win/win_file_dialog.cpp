#include "app/win/win_file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/win/win_text.h"
#include "support/utf.h"

namespace quillmere::win {

namespace {

// The system's filter: every "|" becomes a terminating zero, and the list
// ends with two of them.
std::wstring SystemFilter(const std::u16string& filter) {
  std::wstring result = Wide(filter);
  for (wchar_t& unit : result) {
    if (unit == L'|') unit = L'\0';
  }
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

// Room for long paths; the dialog says when a name does not fit.
constexpr std::size_t kNameRoom = 32768;

}  // namespace

std::optional<std::u16string> ShowFileDialog(HWND owner, const FileRequest& request) {
  const std::wstring filter = SystemFilter(request.filter);
  const std::wstring extension = Wide(request.default_extension);
  std::vector<wchar_t> name(kNameRoom, L'\0');
  const std::wstring last = Wide(Utf8ToUtf16(request.file_name));
  last.copy(name.data(), std::min(last.size(), kNameRoom - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 OFN_PATHMUSTEXIST;
  const bool saving = request.kind == FileDialogKind::kSave;
  dialog.Flags |= saving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  const BOOL chosen = saving ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return FromWide(name.data());
}

}  // namespace quillmere::win
