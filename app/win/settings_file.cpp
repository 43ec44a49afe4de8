#include "app/win/settings_file.h"

#include <windows.h>

#include <vector>

#include "framework/archive.h"
#include "framework/win/file_io.h"
#include "framework/win/wide.h"

namespace {

// No valid settings file comes near this; a larger one is garbage.
constexpr size_t kMaxSettingsBytes = 1 << 20;

std::u16string DecodeAnsi(const std::string& bytes) {
  if (bytes.empty()) return std::u16string();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::wstring w(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), &w[0], n);
  return U(w.c_str(), w.size());
}

}  // namespace

bool LoadSettingsFile(const std::u16string& path, const std::function<void(Archive&)>& serialize) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, kMaxSettingsBytes)) return false;
  Archive ar(bytes.data(), bytes.size(), DecodeAnsi);
  serialize(ar);
  return true;
}
