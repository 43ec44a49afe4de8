// Interface texts from the language file. Reading and storing the current
// language is real; loading and applying packs arrive with the packs.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class CLanguagePack {
public:
  // "curlg" of section "mlg", -1 when missing.
  int ReadCurrent(const std::u16string& file) const;
  void WriteCurrent(int index, const std::u16string& file) const;
  // Fills the names and texts; the current index, or -1 when none applies.
  int Load(const std::u16string& file);
  // Replaces the texts of a dialog and its direct children; -1 without a window.
  int Apply(HWND window, int templateId) const;

  std::vector<std::u16string> m_names;
  std::map<std::u16string, std::u16string> m_texts;
  int m_nCurrent = -1;
};

// Shows the Language dialog with `preset` selected; the chosen row or -1.
int RunLanguageDialog(HWND owner, int preset);
