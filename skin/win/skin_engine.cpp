#include "skin/win/skin_engine.h"

SkinEngine& SkinEngine::Get() {
  static SkinEngine engine;
  return engine;
}

int SkinEngine::LoadTheme(const std::u16string& themePath, const std::u16string& iniName) {
  (void)themePath;
  (void)iniName;
  m_enabled = false;
  return 0;
}
