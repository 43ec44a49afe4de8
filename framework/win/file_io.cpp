#include "framework/win/file_io.h"

#include <windows.h>

#include <algorithm>

#include "framework/long_path.h"
#include "framework/win/wide.h"

bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
  HANDLE h = ::CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  uint8_t buf[4096];
  bool ok = true;
  while (bytes.size() < maxBytes) {
    DWORD got = 0;
    const DWORD want = DWORD(std::min(sizeof(buf), maxBytes - bytes.size()));
    if (!::ReadFile(h, buf, want, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), buf, buf + got);
  }
  ::CloseHandle(h);
  return ok;
}

namespace {

// Writes, flushes and closes.
bool WriteAndClose(HANDLE h, const std::vector<uint8_t>& bytes) {
  DWORD written = 0;
  bool ok =
      bytes.empty() || (::WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                        written == bytes.size());
  ok = ::FlushFileBuffers(h) && ok;
  ::CloseHandle(h);
  return ok;
}

// A per-machine install lets users change the settings file but not create
// files in the program's folder.
bool OverwriteInPlace(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  HANDLE h = ::CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  return h != INVALID_HANDLE_VALUE && WriteAndClose(h, bytes);
}

}  // namespace

bool ReplaceFileAtomically(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  // Read-only by the user's choice. Moving a file over it would succeed under
  // Wine and lose the flag, so it is not left to the system to refuse.
  const DWORD attributes = ::GetFileAttributesW(W(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  const std::u16string temp = path + u".tmp";
  HANDLE h = ::CreateFileW(W(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
  if (h == INVALID_HANDLE_VALUE) return OverwriteInPlace(path, bytes);
  bool ok = WriteAndClose(h, bytes);
  if (ok) ok = ::MoveFileExW(W(temp), W(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) ::DeleteFileW(W(temp));
  return ok;
}

bool PathExists(const std::u16string& path) {
  return ::GetFileAttributesW(W(ExtendedLengthPath(path))) != INVALID_FILE_ATTRIBUTES;
}

bool FileSizeOf(const std::u16string& path, unsigned long long& size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(W(ExtendedLengthPath(path)), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool IsHeldByAnother(const std::u16string& path) {
  // A read that shares everything is refused for sharing only by a holder
  // that does not share reading.
  HANDLE file = ::CreateFileW(W(ExtendedLengthPath(path)), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    ::CloseHandle(file);
    return false;
  }
  return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

std::u16string CreateFolderTree(const std::u16string& folder) {
  std::u16string target = folder;
  while (target.size() > 1 && target.back() == u'\\') target.pop_back();
  // From the folder upwards to the first one that exists, then created downwards.
  std::vector<std::u16string> missing;
  for (std::u16string p = target; !p.empty() && !PathExists(p);) {
    missing.push_back(p);
    const size_t slash = p.find_last_of(u'\\');
    if (slash == std::u16string::npos) break;
    p.erase(slash);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!::CreateDirectoryW(W(ExtendedLengthPath(*it)), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS)
      return SystemErrorText(::GetLastError());
  }
  const DWORD attributes = ::GetFileAttributesW(W(ExtendedLengthPath(target)));
  if (attributes == INVALID_FILE_ATTRIBUTES) return SystemErrorText(::GetLastError());
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return SystemErrorText(ERROR_DIRECTORY);
  return std::u16string();
}

std::u16string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string line = n && text ? U(text, n) : std::u16string();
  if (text) ::LocalFree(text);
  for (char16_t& c : line)
    if (c == u'\r' || c == u'\n') c = u' ';
  while (!line.empty() && line.back() == u' ') line.pop_back();
  if (line.empty()) {
    wchar_t number[32];
    wsprintfW(number, L"error %lu", code);
    line = U(number);
  }
  return line;
}

FolderState FolderStateOf(const std::u16string& folder) {
  std::u16string path = folder;
  while (path.size() > 3 && (path.back() == u'\\' || path.back() == u'/')) path.pop_back();
  const DWORD attributes = ::GetFileAttributesW(W(ExtendedLengthPath(path)));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                   error == ERROR_INVALID_DRIVE || error == ERROR_NOT_READY ||
                   error == ERROR_BAD_NETPATH
               ? FolderState::Missing
               : FolderState::NotWritable;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FolderState::NotWritable;
  // The folder's permissions are the system's to judge: a file is tried.
  const std::u16string probe =
      (path.back() == u'\\' ? path : path + u"\\") + u"~vidmorph-write-check.tmp";
  HANDLE file = ::CreateFileW(W(ExtendedLengthPath(probe)), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return ::GetLastError() == ERROR_FILE_EXISTS ? FolderState::Writable : FolderState::NotWritable;
  ::CloseHandle(file);
  return FolderState::Writable;
}
