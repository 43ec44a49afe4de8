// The process-wide skin engine. Until themes are read, loading reports failure
// and the program keeps the system's look.
#pragma once
#include <string>

class SkinEngine {
public:
  enum ApplyOption { kMetrics = 1, kFrame = 2, kColours = 4, kMenus = 8 };

  static SkinEngine& Get();

  int GetApplyOptions() const { return m_applyOptions; }
  void SetApplyOptions(int options) { m_applyOptions = options; }
  bool IsEnabled() const { return m_enabled; }

  // Loads the theme file and its colour scheme; 1 on success, 0 otherwise.
  int LoadTheme(const std::u16string& themePath, const std::u16string& iniName);

private:
  SkinEngine() = default;
  int m_applyOptions = kMetrics | kFrame | kColours | kMenus;
  bool m_enabled = false;
};
