#include "app/win/file_system_source.h"

#include <windows.h>
// after windows.h
#include <objbase.h>
#include <shlobj.h>

#include "framework/long_path.h"
#include "framework/win/wide.h"

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p) p->Release();
  }
};

// Longest path a shortcut can hold, with its end.
constexpr int kShortcutPathChars = 32768;

}  // namespace

ItemKind CFileSystemSource::KindOf(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(W(ExtendedLengthPath(path)));
  if (attributes == INVALID_FILE_ATTRIBUTES) return ItemKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ItemKind::Folder : ItemKind::File;
}

bool CFileSystemSource::ListFolder(const std::u16string& folder, std::vector<FOLDER_ITEM>& items) {
  WIN32_FIND_DATAW data;
  HANDLE find =
      ::FindFirstFileExW(W(ExtendedLengthPath(JoinPath(folder, u"*"))), FindExInfoBasic, &data,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::u16string name = U(data.cFileName);
    if (name == u"." || name == u"..") continue;
    FOLDER_ITEM item;
    item.strName = name;
    item.bFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.bLink = item.bFolder && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    items.push_back(std::move(item));
  } while (::FindNextFileW(find, &data));
  const DWORD error = ::GetLastError();
  ::FindClose(find);
  return error == ERROR_NO_MORE_FILES;
}

std::u16string CFileSystemSource::ShortcutTarget(const std::u16string& path) {
  ComRef<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))))
    return std::u16string();
  ComRef<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
      FAILED(file.p->Load(W(ExtendedLengthPath(path)), STGM_READ)))
    return std::u16string();
  std::wstring target(kShortcutPathChars, L'\0');
  if (link.p->GetPath(&target[0], kShortcutPathChars, nullptr, 0) != S_OK) return std::u16string();
  return U(target.c_str());
}
