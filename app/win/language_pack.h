// Interface texts from the language file "mlg.txt": which language is current,
// the names of all languages, and the texts of the current one.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "app/language_text.h"

class CListBox;

class CLanguagePack {
 public:
  // "curlg" of section "mlg", -1 when missing.
  int ReadCurrent(const std::u16string& file) const;
  void WriteCurrent(int index, const std::u16string& file) const;
  // Fills the names and texts; the current index, or -1 when none applies.
  int Load(const std::u16string& file);
  // Puts every language name into the list, in file order, first row selected.
  static void FillList(const CListBox& list, const std::u16string& file);
  // Replaces the texts of a dialog and its direct children; -1 without a window.
  int Apply(HWND window, int templateId) const;
  // A text a dialog shows by itself, by its string id: the current language's,
  // else the string resource of the program.
  std::u16string Text(int templateId, int stringId) const;

  std::vector<std::u16string> m_names;
  std::map<std::u16string, std::u16string> m_texts;
  int m_nCurrent = -1;
};

// Replaces the texts of a dialog and its direct children from `texts`; -1
// without a window.
int ApplyLanguageTexts(HWND window, int templateId, const LanguageTexts& texts);
