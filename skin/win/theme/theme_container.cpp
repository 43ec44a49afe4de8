#include "skin/win/theme/theme_container.h"

#include <cstdint>
#include <vector>

#include "framework/win/file_io.h"
#include "framework/win/wide.h"
#include "skin/theme_resource_name.h"
#include "skin/theme_text.h"

namespace {

constexpr size_t kMaxIniBytes = 8u << 20;
const wchar_t kTextFileType[] = L"TEXTFILE";

std::u16string Decode(const std::vector<uint8_t>& bytes, UINT codePage, size_t skip) {
  const int n = int(bytes.size() - skip);
  if (n <= 0) return {};
  const char* from = reinterpret_cast<const char*>(bytes.data() + skip);
  const int count = ::MultiByteToWideChar(codePage, 0, from, n, nullptr, 0);
  std::u16string out(size_t(count > 0 ? count : 0), u'\0');
  if (count > 0) {
    ::MultiByteToWideChar(codePage, 0, from, n, reinterpret_cast<wchar_t*>(&out[0]), count);
  }
  return out;
}

// A hand-edited loose file may be UTF-16 (with its mark), UTF-8 (with its
// mark) or in the ANSI code page.
std::u16string LooseFileText(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    std::u16string out((bytes.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
      out[i] = char16_t(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
    }
    return out;
  }
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    return Decode(bytes, CP_UTF8, 3);
  }
  return Decode(bytes, CP_ACP, 0);
}

// Every line of a text file ends in CR LF afterwards, the last one included,
// as a line-by-line text read would hand them out.
std::u16string NormalizeLineEnds(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + 2);
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    out.append(text.substr(start, i - start)).append(u"\r\n");
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) out.append(text.substr(start)).append(u"\r\n");
  return out;
}

bool IsPlainFile(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(W(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

ThemeContainer::~ThemeContainer() {
  Close();
}

void ThemeContainer::Close() {
  if (m_module && m_ownsModule) ::FreeLibrary(m_module);
  m_module = nullptr;
  m_ownsModule = false;
  m_loose = false;
  m_looseText.clear();
  m_text = {};
  m_folder.clear();
}

bool ThemeContainer::Open(const std::u16string& themePath, const std::u16string& iniName) {
  Close();
  m_themePath = themePath;
  m_iniName = iniName;
  if (themePath.empty()) return false;
  const size_t slash = themePath.find_last_of(u"\\/");
  m_folder = slash == std::u16string::npos ? std::u16string() : themePath.substr(0, slash + 1);

  if (!iniName.empty() && IsPlainFile(m_folder + iniName)) return OpenLoose(m_folder + iniName);

  // A resource-only module has no code to run; a file that is not a loadable
  // module for this process may still be read as data.
  m_module = ::LoadLibraryExW(W(themePath), nullptr, 0);
  if (m_module == nullptr)
    m_module = ::LoadLibraryExW(W(themePath), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (m_module == nullptr) return false;
  m_ownsModule = true;
  return OpenModuleText(iniName);
}

bool ThemeContainer::Open(HMODULE module, const std::u16string& iniName) {
  Close();
  m_themePath.clear();
  m_iniName = iniName;
  if (module == nullptr) return false;
  m_module = module;
  return OpenModuleText(iniName);
}

bool ThemeContainer::OpenLoose(const std::u16string& iniPath) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(iniPath, bytes, kMaxIniBytes)) return false;
  m_looseText = NormalizeLineEnds(LooseFileText(bytes));
  m_text = m_looseText;
  m_loose = true;
  return true;
}

bool ThemeContainer::OpenModuleText(const std::u16string& iniName) {
  std::u16string name = iniName;
  const void* data = nullptr;
  size_t size = 0;
  if (name.empty()) {
    if (!ResourceBytes(u"THEMES_INI", kTextFileType, data, size)) return false;
    name = DefaultThemeIniName(ThemeTextFromBytes(data, size));
    if (name.empty()) return false;
  }
  if (!ResourceBytes(ThemeResourceName(name), kTextFileType, data, size)) return false;
  m_text = ThemeTextFromBytes(data, size);
  return true;
}

bool ThemeContainer::ResourceBytes(const std::u16string& resourceName, const wchar_t* type,
                                   const void*& data, size_t& size) const {
  if (m_module == nullptr || resourceName.empty()) return false;
  HRSRC found = ::FindResourceW(m_module, W(ThemeUpperCopy(resourceName)), type);
  if (found == nullptr) return false;
  HGLOBAL loaded = ::LoadResource(m_module, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  data = bytes;
  size = ::SizeofResource(m_module, found);
  return true;
}
