#include "framework/win/folder_chooser.h"

#include <shlobj.h>

#include "framework/win/wide.h"

namespace {
// Longest path the system's extended form allows, with its end.
constexpr DWORD kLongestPathChars = 32768;
}  // namespace

bool ChooseFolder(HWND owner, const std::u16string& title, std::u16string& folder) {
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = W(title);
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
  if (!pidl) return false;
  std::wstring path(kLongestPathChars, L'\0');
  const bool ok =
      ::SHGetPathFromIDListEx(pidl, &path[0], kLongestPathChars, GPFIDL_DEFAULT) != FALSE;
  ::CoTaskMemFree(pidl);
  if (!ok || !path[0]) return false;
  folder = U(path.c_str());
  return true;
}
