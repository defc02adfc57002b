#include "app/win/win_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "app/win/win_text.h"

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

bool FileDialog::Execute(HWND owner) {
  const std::wstring filter = SystemFilter(filter_);
  const std::wstring extension = Wide(default_extension_);
  std::vector<wchar_t> name(kNameRoom, L'\0');
  const std::wstring last = Wide(file_name_);
  last.copy(name.data(), std::min(last.size(), kNameRoom - 1));

  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = name.data();
  request.nMaxFile = static_cast<DWORD>(name.size());
  request.lpstrDefExt = extension.c_str();
  request.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const bool saving = kind_ == FileDialogKind::kSave;
  if (saving) request.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  const BOOL chosen = saving ? ::GetSaveFileNameW(&request) : ::GetOpenFileNameW(&request);
  if (!chosen) return false;
  file_name_ = FromWide(name.data());
  return true;
}

}  // namespace quillmere::win
