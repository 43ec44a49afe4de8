#include "framework/win/file_io.h"

#include <windows.h>

#include <algorithm>

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
