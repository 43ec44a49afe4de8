#include "cmd/win/input_source.h"

#include <windows.h>

#include <vector>

#include "framework/long_path.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

namespace {

// A list of paths is text; one far past this is not a list.
constexpr size_t kMaxListBytes = 256u << 20;

}  // namespace

std::u16string CConsoleInputSource::FullPath(const std::u16string& path) {
  const DWORD n = ::GetFullPathNameW(W(path), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  const DWORD got = ::GetFullPathNameW(W(path), n, &full[0], nullptr);
  if (got == 0 || got >= n) return path;
  return PlainPath(U(full.c_str(), got));
}

bool CConsoleInputSource::ReadFile(const std::u16string& path, std::string& bytes) {
  std::vector<uint8_t> data;
  if (!ReadWholeFile(ExtendedLengthPath(path), data, kMaxListBytes)) return false;
  bytes.assign(data.begin(), data.end());
  return true;
}
