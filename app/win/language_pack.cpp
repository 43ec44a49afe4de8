#include "app/win/language_pack.h"

#include "app/language_text.h"
#include "framework/win/controls.h"
#include "framework/win/wide.h"

namespace {

// What the platform's INI reader gives for one key: at most size - 1
// characters, empty when the file, section or key is missing.
std::u16string ReadValue(const wchar_t* section, const wchar_t* key, const std::u16string& file,
                         size_t size) {
  std::vector<wchar_t> buf(size, L'\0');
  const DWORD n = ::GetPrivateProfileStringW(section, key, L"", buf.data(), DWORD(size), W(file));
  return U(buf.data(), n);
}

// Buffer sizes of the two values, terminator included.
constexpr size_t kListChars = 1024;
constexpr size_t kTextChars = 524288;

}  // namespace

int CLanguagePack::ReadCurrent(const std::u16string& file) const {
  return int(::GetPrivateProfileIntW(L"mlg", L"curlg", -1, W(file)));
}

void CLanguagePack::WriteCurrent(int index, const std::u16string& file) const {
  wchar_t text[16];
  wsprintfW(text, L"%d", index);
  ::WritePrivateProfileStringW(L"mlg", L"curlg", text, W(file));
}

int CLanguagePack::Load(const std::u16string& file) {
  m_names.clear();
  m_texts.clear();
  m_names = SplitLanguageList(ReadValue(L"mlg", L"list", file, kListChars));
  m_nCurrent = ReadCurrent(file);
  if (m_nCurrent < 0 || size_t(m_nCurrent) >= m_names.size()) return -1;
  m_texts =
      SplitLanguageTexts(ReadValue(W(m_names[size_t(m_nCurrent)]), L"text", file, kTextChars));
  return m_nCurrent;
}

void CLanguagePack::FillList(const CListBox& list, const std::u16string& file) {
  list.ResetContent();
  const auto names = SplitLanguageList(ReadValue(L"mlg", L"list", file, kListChars));
  for (const auto& name : names) list.AddString(name);
  if (!names.empty()) list.SetCurSel(0);
}

int CLanguagePack::Apply(HWND window, int templateId) const {
  return ApplyLanguageTexts(window, templateId, m_texts);
}

int ApplyLanguageTexts(HWND window, int templateId, const LanguageTexts& texts) {
  if (!window) return -1;
  const auto caption = texts.find(LanguageCaptionKey(templateId));
  if (caption != texts.end()) ::SetWindowTextW(window, W(caption->second));
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    // Ids are signed: unnamed statics of an extended template read -1.
    const int id = int(::GetWindowLongPtrW(child, GWLP_ID));
    const auto text = texts.find(LanguageControlKey(templateId, id));
    if (text != texts.end()) ::SetWindowTextW(child, W(text->second));
  }
  return 1;
}

std::u16string CLanguagePack::Text(int templateId, int stringId) const {
  const auto text = m_texts.find(LanguageControlKey(templateId, stringId));
  if (text != m_texts.end()) return text->second;
  const wchar_t* resource = nullptr;
  const int n = ::LoadStringW(::GetModuleHandleW(nullptr), UINT(stringId),
                              reinterpret_cast<LPWSTR>(&resource), 0);
  return n > 0 && resource ? U(resource, size_t(n)) : std::u16string();
}
