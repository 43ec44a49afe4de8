#include "app/win/language_pack.h"

#include "framework/win/wide.h"

int CLanguagePack::ReadCurrent(const std::u16string& file) const {
  return int(::GetPrivateProfileIntW(L"mlg", L"curlg", -1, W(file)));
}

void CLanguagePack::WriteCurrent(int index, const std::u16string& file) const {
  wchar_t text[16];
  wsprintfW(text, L"%d", index);
  ::WritePrivateProfileStringW(L"mlg", L"curlg", text, W(file));
}

int CLanguagePack::Load(const std::u16string& file) {
  (void)file;
  m_names.clear();
  m_texts.clear();
  m_nCurrent = -1;
  return -1;
}

int CLanguagePack::Apply(HWND window, int templateId) const {
  (void)templateId;
  return window ? 1 : -1;
}

int RunLanguageDialog(HWND owner, int preset) {
  (void)owner;
  (void)preset;
  return -1;
}
